#pragma once
// The command line of `qeltool grade`:
//
//   qeltool grade REFERENCE.qel SUBMISSIONS... [--events SCRIPT]... [--jobs N] [--timeout S]
//                 [--memory-limit MB] [--tolerance PIXELS] [--shard K/N] [--junit FILE] [--html DIR] [--json]
//   qeltool grade --merge A.json B.json ... [--junit FILE] [--html DIR] [--json]

#include "base/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qel::grade {

struct GradeOptions {
    std::string reference;                // the teacher's program
    std::vector<std::string> submissions; // program files and folders, as given
    std::vector<std::string> merged;      // --merge: the shards' JSON lines
    std::vector<std::string> scripts;     // event scripts, one case each; none: one case without events
    unsigned jobs = 1;
    double timeout = 10;        // seconds a run may take
    uint64_t memoryLimit = 256; // megabytes of each run's budget
    uint64_t tolerance = 0;     // differing pixels a picture may have
    uint32_t shard = 1, shards = 1;
    std::string junit, html;
    bool json = false;
};

// The command's lines of qeltool's usage, each indented as a line after the first.
inline constexpr const char* kGradeUsage =
    "       qeltool grade REFERENCE.qel SUBMISSIONS... [--events SCRIPT]... [--jobs N] [--timeout S]\n"
    "                     [--memory-limit MB] [--tolerance PIXELS] [--shard K/N] [--junit FILE] [--html DIR]\n"
    "                     [--json]\n"
    "       qeltool grade --merge A.json B.json ... [--junit FILE] [--html DIR] [--json]\n";

// The options, or what is wrong with them as qeltool says it.
[[nodiscard]] Result<GradeOptions> parseGradeOptions(const std::vector<std::string>& args);

} // namespace qel::grade
