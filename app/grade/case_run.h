#pragma once
// One run of a program for `qeltool grade`: `qeltool run` in a process of its own, under the sandbox,
// with the time limit and memory limit, on a copy of the program and the files beside it made in
// a scratch folder, so that nothing it writes reaches the original or another run. What it gives:
// its records, its picture and the files it wrote.

#include "app/grade/submissions.h"

#include <QImage>

#include <map>
#include <string>

namespace qel::grade {

struct RunLimits {
    std::string tool; // the qeltool to run
    double timeout = 10;
    uint64_t memoryLimit = 256; // megabytes
};

struct CaseRun {
    // Why the run gave nothing to compare (it crashed, hung, or could not start), or empty.
    std::string failure;
    std::string folder; // where it ran: the copy of its folder
    int exitStatus = 0;
    double seconds = 0;
    std::string output; // its records, one JSON object a line
    QImage picture;     // null when it wrote none
    std::string picturePath;
    // Files it created or changed beside itself, by path relative to its folder.
    std::map<std::string, std::string> written;
};

// Runs `program` with the event script (none when empty) in `scratch`, a folder of its own that
// the caller removes afterwards.
CaseRun runCase(const Submission& program, const std::string& script, const RunLimits& limits,
                const std::string& scratch);

} // namespace qel::grade
