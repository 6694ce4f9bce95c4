#pragma once
// Texts the user sees when a file the environment saves cannot be written; shared by the windows
// and the form files that save.

#include "base/translatable.h"
#include <string_view>

namespace qel {

inline constexpr std::string_view kFileWriteError = QT_TRANSLATE_NOOP("qel", "File write error.");

} // namespace qel
