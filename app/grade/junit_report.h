#pragma once
// The verdicts as JUnit XML, as CI services and learning platforms read it: one testsuite a
// submission, one testcase an event script, a failure with its reasons.

#include "app/grade/case_result.h"

namespace qel::grade {

[[nodiscard]] Status writeJUnit(const std::string& path, const std::vector<CaseResult>& results);

} // namespace qel::grade
