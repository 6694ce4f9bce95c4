#include "program/file_names.h"

namespace qel {

std::string nativeFileName(std::string_view programText)
{
    std::string name;
    name.reserve(programText.size());
    for (char c : programText) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            name += c;
        } else {
            name += static_cast<char>(0xC0 | (byte >> 6));
            name += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return name;
}

std::string programTextOfFileName(std::string_view systemName)
{
    std::string text;
    text.reserve(systemName.size());
    for (size_t at = 0; at < systemName.size();) {
        const std::optional<char32_t> code = nextUtf8(systemName, at);
        if (!code)
            ++at;
        text += code && *code <= 0xFF ? static_cast<char>(*code) : '?';
    }
    return text;
}

std::optional<char32_t> nextUtf8(std::string_view text, size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    // The length a lead byte announces; continuation bytes and overlong forms are not UTF-8.
    const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    if (length == 0 || at + length > text.size())
        return std::nullopt;
    char32_t code = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code = code << 6 | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    at += length;
    return code;
}

std::string programFolder(std::string_view programPath)
{
    const size_t slash = programPath.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    return std::string(programPath.substr(0, slash == 0 ? 1 : slash));
}

std::string resolveInFolder(std::string_view folder, std::string_view programText)
{
    if (programText.find('\0') != std::string_view::npos)
        return {}; // no file has such a name; the system would read it as a shorter one
    std::string name = nativeFileName(programText);
    if (name.empty() || name.front() == '/' || folder.empty())
        return name;
    return std::string(folder) + (folder.back() == '/' ? "" : "/") + name;
}

} // namespace qel
