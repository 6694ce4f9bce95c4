#pragma once
// Runs a qeltool command in the test's process, with standard input given, and splits what it
// printed into lines.

#include "app/tool_commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace qel::test {

struct RunOutput {
    int status;
    std::vector<std::string> lines;
    std::string err;
};

inline RunOutput runTool(std::vector<std::string> args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = runToolCommand(args, in, out, err);
    RunOutput r{status, {}, err.str()};
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);)
        r.lines.push_back(line);
    return r;
}

} // namespace qel::test
