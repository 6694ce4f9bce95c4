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
