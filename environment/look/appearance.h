#pragma once
// How the environment fits the desktop it runs on. The style and palette come from the desktop
// (QT_STYLE_OVERRIDE=Fusion and a dark desktop palette are honoured as Qt reads them); QEL_DARK=1
// sets Fusion with the dark palette below, to try every window in a dark theme without a dark
// desktop. The translator for the system's language is installed when its .qm file is found.

#include <QPalette>

class QApplication;

namespace qel {

// A dark palette as desktops commonly set it: light text on dark grey.
QPalette darkPalette();

// Sets the dark look when QEL_DARK is 1 and installs the translation of the system's language;
// called once after the application is made.
void applyAppearance(QApplication& application);

} // namespace qel
