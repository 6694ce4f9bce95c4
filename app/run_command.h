#pragma once
// `qeltool run FILE.qel [--snapshot OUT.png] [--events FILE|-] [--size WxH] [--timeout SECONDS]
//                       [--memory-limit MB] [--output-limit MB] [--break SECTION:LINE]... [--vars]
//                       [--print-dir DIR] [--sandbox] [--seed N] [--profile]`

#include <iosfwd>
#include <string>
#include <vector>

namespace qel {

int runProgramCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace qel
