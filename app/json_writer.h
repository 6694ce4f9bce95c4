#pragma once
// Just enough JSON for qeltool's output. A program's texts are 8-bit (Latin-1): each byte becomes
// the code point of the same value. The system's file names are UTF-8 and keep their characters.

#include <ostream>
#include <string>
#include <string_view>

namespace qel {

// A program's text.
std::string jsonString(std::string_view text);
// A system file name (a sound, a document, a printed file); a byte that is not UTF-8 becomes U+FFFD.
std::string jsonFileName(std::string_view systemName);
// The same, written out a piece at a time: a long text is never held escaped whole.
void writeJsonString(std::ostream& out, std::string_view text);
std::string hexBytes(const unsigned char* data, size_t size);

} // namespace qel
