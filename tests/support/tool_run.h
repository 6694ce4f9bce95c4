#pragma once
// Runs a qeltool command in the test's process, or the qeltool program in a process of its own,
// with standard input given, and splits what it printed into lines.

#include "app/tool_commands.h"
#include "support/temp_files.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace qel::test {

struct RunOutput {
    int status;
    std::vector<std::string> lines;
    std::string err;
};

inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline RunOutput runTool(std::vector<std::string> args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = runToolCommand(args, in, out, err);
    return {status, linesOf(out.str()), err.str()};
}

#ifdef QEL_TOOL
// The qeltool program in a process of its own, for what must not reach the test's process (the
// sandbox confines the process that asks for it). The arguments hold no single quotes.
inline RunOutput runToolProcess(const std::vector<std::string>& args, const std::string& input = "")
{
    const std::string folder = makeTempFolder();
    writeBytes(folder + "/in", input);
    // The leak checker reads /proc, which the sandbox shuts; the same runs unconfined are checked.
    // Grading runs every program under the sandbox.
    const bool sandbox =
        std::find(args.begin(), args.end(), "--sandbox") != args.end() || (!args.empty() && args[0] == "grade");
    std::string command = sandbox ? "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " QEL_TOOL : QEL_TOOL;
    for (const std::string& a : args)
        command += " '" + a + "'";
    command += " <" + folder + "/in 2>" + folder + "/err";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    while (size_t n = pipe ? std::fread(buffer, 1, sizeof buffer, pipe) : 0)
        out.append(buffer, n);
    const int status = pipe ? ::pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, linesOf(out), readBytes(folder + "/err")};
}

inline std::vector<std::string> withSandbox(std::vector<std::string> args)
{
    args.emplace_back("--sandbox");
    return args;
}
#endif

} // namespace qel::test
