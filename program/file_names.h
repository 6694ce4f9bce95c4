#pragma once
// Files a program names: a relative name is found in the folder of the saved program.

#include <string>
#include <string_view>

namespace qel {

// name as it stands when it is absolute or there is no folder (a program never saved: the current
// directory); otherwise name inside folder.
std::string resolveRelativeTo(std::string_view folder, std::string_view name);

// The folder a file lies in ("" for a bare name).
std::string folderOf(std::string_view path);

} // namespace qel
