#pragma once
// Just enough JSON for qeltool's output. Texts are 8-bit: each byte becomes the code point of the
// same value.

#include <ostream>
#include <string>
#include <string_view>

namespace qel {

std::string jsonString(std::string_view text);
// The same, written out a piece at a time: a long text is never held escaped whole.
void writeJsonString(std::ostream& out, std::string_view text);
std::string hexBytes(const unsigned char* data, size_t size);

} // namespace qel
