#pragma once
// The pictures of the designer's toolbar buttons, drawn here rather than loaded from image files.
// The three default-colour buttons show their colour as a strip along the bottom.

#include "environment/shell/command_ids.h"

#include <QColor>
#include <QIcon>

namespace qel {

inline constexpr int kDesignerIconSize = 24;

// The picture of a command; a null icon for commands without one.
QIcon designerIcon(CommandId id, QColor colour = {});

} // namespace qel
