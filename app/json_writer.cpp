#include "app/json_writer.h"

#include <cstdio>

namespace qel {

namespace {

void appendEscaped(std::string& out, std::string_view text)
{
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
}

} // namespace

std::string jsonString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    appendEscaped(out, text);
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
        appendEscaped(escaped, text.substr(at, kPiece));
        out << escaped;
    }
    out << '"';
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
