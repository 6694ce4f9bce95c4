#pragma once
// The records `qeltool run --profile` prints after the end record: one for each line the profiled
// run ran at least once, in section then line order,
//   {"profile": {"section": S, "line": L, "count": N, "share": P}}
// with sections and lines numbered as in the end record, N the times the line ran and P its share
// of the time in percent as the program view's profile column shows it.

#include "interpreter/debugger.h"

#include <iosfwd>

namespace qel {

void printProfile(const Profile& profile, std::ostream& out);

} // namespace qel
