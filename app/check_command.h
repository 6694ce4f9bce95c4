#pragma once
// qeltool check: what a program would fail on for a reason its text shows, without running it,
// one JSON line a finding.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

inline constexpr std::string_view kCheckUsage = "       qeltool check FILE.qel [--profile LESSON.txt]\n";

// args: "check", the program file, optionally --profile and a profile file. Exit 0 without
// findings, 1 with findings, 2 for bad usage, an unreadable program or a profile with problems.
int checkCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qel
