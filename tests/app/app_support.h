#pragma once
// What the qeltool tests share: programs built through the editors and saved, the records
// `qeltool run` prints, shell commands run to the end, and a stopwatch.

#include "fileio/file_io.h"
#include "program/program_file.h"
#include "support/run_fixture.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include <sys/wait.h>

namespace qel::test {

// Saves a session's program at `path`; the editors must have taken every line.
inline std::string saveProgram(Session& s, const std::string& path)
{
    EXPECT_TRUE(s.build.host.messages.empty()) << s.build.host.messages[0].text;
    EXPECT_TRUE(writeFileAtomically(path, storeProgram(s.program).value()));
    return path;
}

// A program with every handler (those in `bodies` with their lines), the rest built by `build`
// from the Initialise section on, saved at `path`.
inline std::string saveProgram(const std::string& path, const std::function<void(Session&)>& build,
                               std::map<std::string, Session::Body> bodies = {})
{
    Session s;
    s.handlers(std::move(bodies));
    build(s);
    return saveProgram(s, path);
}

// The number the next line of the Initialise section takes.
inline uint32_t nextLine(const Session& s)
{
    return static_cast<uint32_t>(s.program.sections[kInitialise].lines.size());
}

inline std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// The records of `qeltool run`.
inline std::string endRecord(const std::string& word, uint32_t section = 0, uint32_t line = 0)
{
    return "{\"end\": \"" + word + "\", \"section\": " + std::to_string(section) +
           ", \"line\": " + std::to_string(line) + "}";
}
inline const std::string kFinished = endRecord("finished");
inline std::string messageRecord(const std::string& json, const std::string& icon)
{
    return "{\"message\": \"" + json + "\", \"icon\": \"" + icon + "\"}";
}
inline std::string errorRecord(const std::string& json)
{
    return messageRecord("RUN TIME ERROR\\n\\n" + json, "error");
}
// One variable of the --vars record; `values` as JSON without the brackets.
inline std::string varRecord(const std::string& name, const std::string& type, const std::string& values,
                             const std::string& dims = "")
{
    return "{\"name\": \"" + name + "\", \"type\": \"" + type + "\", \"dims\": \"" + dims + "\", \"values\": [" +
           values + "]}";
}

// Whether `text` holds every piece; a failure names the first it lacks.
inline ::testing::AssertionResult holds(const std::string& text, const std::vector<std::string>& pieces)
{
    for (const std::string& piece : pieces)
        if (text.find(piece) == std::string::npos)
            return ::testing::AssertionFailure() << "lacks " << piece << "\nin " << text.substr(0, 2000);
    return ::testing::AssertionSuccess();
}

// What a shell command printed and its exit status (128 and the signal when one ended it).
struct Shell {
    int status = -1;
    std::string out;
};

inline Shell finish(std::FILE* pipe)
{
    Shell s;
    if (!pipe)
        return s;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        s.out.append(buffer, n);
    const int status = ::pclose(pipe);
    s.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return s;
}

inline Shell shell(const std::string& command) { return finish(::popen(command.c_str(), "r")); }

struct Stopwatch {
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    double seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); }
};

} // namespace qel::test
