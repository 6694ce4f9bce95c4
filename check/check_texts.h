#pragma once
// The texts of the check and of lesson profiles that no run shows, each with the name or keyword
// it is about as its %1; the environment shows them translated. Wherever a run would fail with a
// text of its own, a finding uses that text (messages/run_errors.h), which stays as the run shows it.

#include "base/translatable.h"

#include <string_view>

namespace qel::check_msg {

// A function whose DeclareFunction line no EndFunction follows in its section.
inline constexpr std::string_view kFunctionNotClosed =
    QT_TRANSLATE_NOOP("qel", "No EndFunction closes the function - %1");
// A line whose instruction the lesson profile does not list.
inline constexpr std::string_view kOutsideProfile =
    QT_TRANSLATE_NOOP("qel", "Instruction outside the lesson profile - %1");

// Reading a lesson profile.
inline constexpr std::string_view kUnknownKeyword = QT_TRANSLATE_NOOP("qel", "Unknown instruction keyword - %1");
inline constexpr std::string_view kCannotReadProfile = QT_TRANSLATE_NOOP("qel", "Cannot read the lesson profile - %1");
inline constexpr std::string_view kIncludeCycle = QT_TRANSLATE_NOOP("qel", "The lesson profile includes itself - %1");
inline constexpr std::string_view kIncludeTooDeep =
    QT_TRANSLATE_NOOP("qel", "Lesson profiles are included too deeply - %1");

} // namespace qel::check_msg
