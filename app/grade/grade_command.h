#pragma once
// `qeltool grade`: a class's programs run against the teacher's, each in a sandboxed process of its
// own on a copy of its folder, several at a time; the verdicts as a table, JSON lines, JUnit XML
// and an HTML report (see app/grade/grade_options.h for the command line).

#include <iosfwd>
#include <string>
#include <vector>

namespace qel {

// Exit status 0 when every case of every submission passed, 1 when one failed, 2 for bad usage or a
// reference that cannot be run.
int gradeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qel
