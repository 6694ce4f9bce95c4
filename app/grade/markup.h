#pragma once
// Text for XML and HTML reports: UTF-8 (a byte that is not becomes U+FFFD), the markup characters
// escaped, and the control characters XML does not allow replaced by U+FFFD.

#include <string>
#include <string_view>

namespace qel::grade {

std::string markupText(std::string_view utf8);

} // namespace qel::grade
