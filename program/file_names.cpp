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

std::string programTextOfFileName(std::string_view fileName)
{
    std::string text;
    text.reserve(fileName.size());
    for (size_t k = 0; k < fileName.size(); ++k) {
        const auto byte = static_cast<unsigned char>(fileName[k]);
        if (byte < 0x80) {
            text += static_cast<char>(byte);
            continue;
        }
        // Every sequence's length from its lead byte; what is not UTF-8 counts as one byte.
        const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 1;
        size_t end = k + 1;
        while (end < k + length && end < fileName.size() && (static_cast<unsigned char>(fileName[end]) & 0xC0) == 0x80)
            ++end;
        const bool whole = length > 1 && end == k + length;
        if (whole && length == 2 && byte <= 0xC3)
            text += static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(fileName[k + 1]) & 0x3F));
        else
            text += '?';
        k = whole ? end - 1 : k;
    }
    return text;
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
