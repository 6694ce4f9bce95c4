#pragma once
// The record `qeltool run --vars` ends with: every variable's final values, as JSON on one line.
// The environment's tests hold a run in the IDE against a replay with it.

#include "values/variable_table.h"

#include <ostream>

namespace qel {

void printVariables(const VariableTable& variables, std::ostream& out);

} // namespace qel
