#include "program/file_names.h"

#include <filesystem>

namespace qel {

std::string resolveRelativeTo(std::string_view folder, std::string_view name)
{
    const std::filesystem::path path{std::string(name)};
    if (folder.empty() || name.empty() || path.is_absolute())
        return std::string(name);
    return (std::filesystem::path(std::string(folder)) / path).string();
}

std::string folderOf(std::string_view path) { return std::filesystem::path(std::string(path)).parent_path().string(); }

} // namespace qel
