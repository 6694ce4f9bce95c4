#pragma once
// Variable and function names: what counts as a name, and how two names are compared.

#include <string_view>

namespace qel {

inline constexpr size_t kMaxNameLength = 20;

// 1 to 20 characters: a letter first, then letters, digits or '_'.
bool isName(std::string_view token);

// Names are compared without regard to ASCII letter case.
bool sameName(std::string_view a, std::string_view b);

} // namespace qel
