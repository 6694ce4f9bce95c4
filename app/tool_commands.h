#pragma once
// The commands of qeltool, callable from tests: each takes its arguments and the streams to write
// to, and returns the process exit status.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// What qeltool says on standard error when a file it was given cannot be read or written.
inline constexpr std::string_view kCannotRead = "qeltool: cannot read ";
inline constexpr std::string_view kCannotWrite = "qeltool: cannot write ";

inline constexpr int kExitOk = 0;
inline constexpr int kExitRunError = 1;
inline constexpr int kExitUsage = 2;   // bad usage or an unreadable file
inline constexpr int kExitTimeout = 3; // run: the time limit ended the run

int runToolCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace qel
