#pragma once
// The environment's texts go through Qt's translation. A text written where it is shown is given
// to tr(); a text kept as a constant in a header (a window's title, a page's label, a file filter)
// is marked where it is written with QT_TRANSLATE_NOOP("qel", ...) and shown through translated().
// The program's own texts, run-time messages and what files and graders read are never translated.

#include "base/notice.h"

#include <QString>

#include <string_view>

namespace qel {

QString translated(std::string_view text);
// A notice's text translated, with its arguments put in after.
QString translated(const Notice& notice);

} // namespace qel
