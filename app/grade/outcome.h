#pragma once
// What a run of `qeltool grade` is judged on, read from its records, and the judgement: the
// reasons a submission's run differs from the reference's (none: it passed).

#include "app/grade/case_run.h"

#include <QJsonArray>

#include <string>
#include <vector>

namespace qel::grade {

struct Variable {
    std::string name, type, dims;
    QJsonArray values;
};

struct Outcome {
    std::vector<std::string> shown;    // what the user would have seen and heard, as sentences
    std::vector<std::string> messages; // the message boxes' texts alone
    std::string end;                   // how the run ended
    std::vector<Variable> variables;
};

// The run's records read; the folder it ran in is left out of the file names they hold.
Outcome outcomeOf(const CaseRun& run);

struct Judgement {
    std::vector<std::string> reasons;
    uint64_t differingPixels = 0;
};

// Compares on what was shown, the end, the reference's variables (a submission may have more),
// the files the reference wrote (their bytes) and the picture (at most `tolerance` pixels apart).
Judgement judge(const Outcome& expected, const CaseRun& expectedRun, const Outcome& actual, const CaseRun& actualRun,
                uint64_t tolerance);

// Pixels of two pictures that differ (a pixel either lacks counts too).
uint64_t differingPixels(const QImage& a, const QImage& b);

// The reference's picture faded, with the pixels where the other differs in red.
QImage differenceImage(const QImage& reference, const QImage& other);

} // namespace qel::grade
