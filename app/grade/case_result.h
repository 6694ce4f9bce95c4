#pragma once
// The verdict on one case of one submission, and the forms `qeltool grade` gives the verdicts in:
// one JSON line a case (read back to merge the shards of a course), and the summary table.

#include "base/result.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace qel::grade {

struct CaseResult {
    std::string submission;
    std::string caseName; // the event script's file name; "" for a run without one
    bool passed = false;
    std::vector<std::string> reasons;
    double seconds = 0;
    std::vector<std::string> messages; // the texts of the message boxes the submission showed
    // With an HTML report: the pictures' files (the reference's, the submission's, their difference).
    std::string referencePicture, picture, difference;
};

// Seconds as the reports give them, to the millisecond.
std::string secondsText(double seconds);
// A case as the reports name it.
std::string caseTitle(const CaseResult& r);

void writeJsonLine(std::ostream& out, const CaseResult& r);

// The lines of a file writeJsonLine wrote; a failure names the file and the line it cannot read.
[[nodiscard]] Result<std::vector<CaseResult>> readJsonLines(const std::string& path);

// One row a submission (in the order they come): its cases passed and their time, then the totals.
void writeSummary(std::ostream& out, const std::vector<CaseResult>& results);

// One submission's cases: results [first, last), how many passed and the time they took.
struct SubmissionCases {
    size_t first = 0, last = 0;
    size_t passed = 0;
    double seconds = 0;
    size_t count() const { return last - first; }
    bool allPassed() const { return passed == count(); }
};

// The results grouped by submission, keeping their order.
std::vector<SubmissionCases> bySubmission(const std::vector<CaseResult>& results);

// "N of M submissions passed every case (K of L cases)".
std::string totalsSentence(const std::vector<SubmissionCases>& groups);

} // namespace qel::grade
