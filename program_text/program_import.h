#pragma once
// Builds a program from its text form (text_form.h) through the editors, as a user would in the
// dialogs (text_builder.h).

#include "base/result.h"
#include "program/host.h"
#include "program/program.h"

#include <string_view>

namespace qel {

class VariableTable;

// Replaces the program (and its variables) with the one the text describes. A line that cannot be
// built is the failure "line N: " and the editor's message (or why the line is not understood); the
// program is then partly built.
[[nodiscard]] Status importProgram(std::string_view text, Program& program, VariableTable& variables,
                                   MessageHost& host);

} // namespace qel
