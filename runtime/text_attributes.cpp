#include "runtime/text_attributes.h"

#include "runtime/draw_target.h"
#include "runtime/latin1.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace qel {

namespace {

// Beyond this em height a font only exhausts the glyph cache; no window shows it.
constexpr long kMaxFontPixels = 2000;

} // namespace

QFont makeTextFont(std::string_view face, uint32_t pointSize, uint32_t style, int dotsPerInchY)
{
    QFont font(toQString(face));
    const long pixels = std::lround(static_cast<double>(pointSize) * dotsPerInchY / 72.0);
    if (pixels > 0) // a size of 0 keeps the face's default height
        font.setPixelSize(static_cast<int>(std::min(pixels, kMaxFontPixels)));
    font.setWeight((style & kFontBold) ? QFont::Bold : QFont::Normal);
    font.setItalic((style & kFontItalic) != 0);
    font.setUnderline((style & kFontUnderline) != 0);
    return font;
}

void applyTextAttributes(DrawTarget& target)
{
    QPainter& painter = target.settings();
    const TextAttributes& text = target.text();
    QFont font = text.font ? *text.font : QFont();
    font.setStyleStrategy(QFont::NoAntialias); // glyphs in the text colour only, so pixels are exact
    target.setTextFont(font);
    painter.setPen(QColor::fromRgb(text.colour));
    painter.setBackground(QColor::fromRgb(text.background));
}

} // namespace qel
