#pragma once
// The check of a program: what a run would fail on for a reason visible in its text, found without
// running it. A reference to an undeclared variable or function, a reference whose subscripts do
// not fit its variable, a call with the wrong arguments, a block that does not match, a system
// variable or handler function the run start looks for in vain, a file name constant naming no
// file beside the program, and (given a lesson profile) the lines whose instruction the lesson does
// not allow. Each finding carries the text the run would show, without its header.

#include "check/lesson_profile.h"
#include "program/program.h"
#include "values/variable_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

struct Finding {
    uint32_t section = 0;
    uint32_t line = 0; // index within the section, as a run's end names it
    std::string message;
    bool operator==(const Finding&) const = default;
};

// Every finding, in section and line order. programPath is where the program is saved (a system
// file name; empty: never saved, its files are looked for in the current directory).
std::vector<Finding> checkProgram(const Program& program, const VariableTable& variables, std::string_view programPath,
                                  const LessonProfile* profile = nullptr);

// The parts of the check, each adding its findings.
void checkBlocks(const Program& program, std::vector<Finding>& out);
void checkOperands(const Program& program, const VariableTable& variables, std::string_view programPath,
                   std::vector<Finding>& out);

} // namespace qel
