#pragma once
// The verdicts as an HTML report in a folder of its own, opened from there without a server:
// index.html, a table of the submissions sortable by any column (by result, say), each opening to
// its cases: the reasons, the messages shown, and the submission's picture beside the reference's
// and their difference (differing pixels in red). The pictures live in images/ beside it; those of
// another folder (shards' reports being merged) are copied there.

#include "app/grade/case_result.h"

namespace qel::grade {

[[nodiscard]] Status writeHtmlReport(const std::string& folder, std::vector<CaseResult> results);

} // namespace qel::grade
