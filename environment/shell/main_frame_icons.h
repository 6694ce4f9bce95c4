#pragma once
// The pictures of the main window's toolbar buttons and the application's icon, drawn here rather
// than loaded from image files.

#include <QIcon>

namespace qel {

enum class ToolIcon {
    New,
    Open,
    Save,
    Initialise,
    Keyboard,
    Timer,
    Mouse,
    Paint,
    Run,
    Stop,
    Continue,
    ObjectViewer,
};

QIcon toolIcon(ToolIcon which);
QIcon applicationIcon();

} // namespace qel
