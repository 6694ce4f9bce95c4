#pragma once
// The texts of the check and of lesson profiles that no run shows. Wherever a run would fail with a
// text of its own, a finding uses that text (messages/run_errors.h).

#include <string_view>

namespace qel::check_msg {

// A function whose DeclareFunction line no EndFunction follows in its section.
inline constexpr std::string_view kFunctionNotClosed = "No EndFunction closes the function - ";
// A line whose instruction the lesson profile does not list.
inline constexpr std::string_view kOutsideProfile = "Instruction outside the lesson profile - ";

// Reading a lesson profile.
inline constexpr std::string_view kUnknownKeyword = "Unknown instruction keyword - ";
inline constexpr std::string_view kCannotReadProfile = "Cannot read the lesson profile - ";
inline constexpr std::string_view kIncludeCycle = "The lesson profile includes itself - ";
inline constexpr std::string_view kIncludeTooDeep = "Lesson profiles are included too deeply - ";

} // namespace qel::check_msg
