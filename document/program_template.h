#pragma once
// A new program: each section's title comment, and for the template with handlers the system
// variables and empty handler functions of the Keyboard and Mouse sections, built exactly as their
// dialogs build them.

#include "program/host.h"
#include "program/program.h"

namespace qel {

class VariableTable;

void newProgramWithHandlers(Program& program, VariableTable& variables, MessageHost& host);

} // namespace qel
