#include "app/json_writer.h"

#include "program/file_names.h"

#include <cstdio>
#include <ostream>

namespace qel {

namespace {

void appendEscape(std::string& out, char32_t unit)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(unit));
    out += buf;
}

// One character, escaped as JSON needs; beyond ASCII as \uXXXX, beyond U+FFFF as a surrogate pair.
void appendCharacter(std::string& out, char32_t c)
{
    switch (c) {
    case '"': out += "\\\""; break;
    case '\\': out += "\\\\"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\t': out += "\\t"; break;
    default:
        if (c > 0xFFFF) {
            appendEscape(out, 0xD800 + ((c - 0x10000) >> 10));
            appendEscape(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else if (c < 0x20 || c >= 0x7F) {
            appendEscape(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
}

} // namespace

std::string jsonString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (unsigned char c : text)
        appendCharacter(out, c);
    out += '"';
    return out;
}

void writeJsonString(std::ostream& out, std::string_view text)
{
    constexpr size_t kPiece = 4096;
    std::string escaped;
    out << '"';
    for (size_t at = 0; at < text.size(); at += kPiece) {
        escaped.clear();
        for (unsigned char c : text.substr(at, kPiece))
            appendCharacter(escaped, c);
        out << escaped;
    }
    out << '"';
}

std::string jsonFileName(std::string_view systemName)
{
    std::string out;
    out.reserve(systemName.size() + 2);
    out += '"';
    for (size_t at = 0; at < systemName.size();) {
        const std::optional<char32_t> c = nextUtf8(systemName, at);
        if (!c)
            ++at;
        appendCharacter(out, c.value_or(0xFFFD));
    }
    out += '"';
    return out;
}

std::string hexBytes(const unsigned char* data, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string out(size * 2, '0');
    for (size_t i = 0; i < size; ++i) {
        out[2 * i] = digits[data[i] >> 4];
        out[2 * i + 1] = digits[data[i] & 15];
    }
    return out;
}

} // namespace qel
