#pragma once
// The text attributes of a drawing target: the font TextFont makes, and the font and colours every
// section's painting starts with.

#include <QFont>

#include <cstdint>
#include <string_view>

namespace qel {

class DrawTarget;

// TextFont's style bits.
inline constexpr uint32_t kFontBold = 1;
inline constexpr uint32_t kFontItalic = 2;
inline constexpr uint32_t kFontUnderline = 4;

// The font TextFont makes: its em height is the point size at the target's vertical resolution
// (dots per inch), weight bold or normal, italic and underline from the style bits. Faces the
// system lacks resolve through the font configuration (Arial to Liberation Sans).
QFont makeTextFont(std::string_view face, uint32_t pointSize, uint32_t style, int dotsPerInchY);

// Applies the target's current font (the default font when TextFont has not run), text colour and
// text background colour to its painter, as every section's device context is prepared.
void applyTextAttributes(DrawTarget& target);

} // namespace qel
