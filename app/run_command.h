#pragma once
// `qeltool run FILE.qel [--snapshot OUT.png] [--events FILE|-] [--size WxH] [--timeout SECONDS]
//                       [--memory-limit MB] [--output-limit MB] [--break SECTION:LINE]... [--vars]
//                       [--print-dir DIR] [--sandbox] [--seed N] [--profile]`

#include "app/headless_window.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace qel {

// What the arguments of a run ask for: the program file, and whether the run keeps its picture,
// prints into a folder or is sandboxed. Nothing for arguments the run would refuse.
struct RunArguments {
    std::string file;
    bool picture = false;
};
std::optional<RunArguments> runArguments(const std::vector<std::string>& args);

// Runs the program in the window makeWindow gives: qeltool-full's canvas, or qeltool's window
// without a picture for the programs that need none.
int runProgramCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                      MakeWindow makeWindow);

} // namespace qel
