#pragma once
// The drawing state of a run: the colour table that maps the sixteen colour numbers to the colours
// drawn, the text colours and font applied before every section, the program's timer and its
// bitmaps.

#include "runtime/bitmap_table.h"

#include <QColor>
#include <QFont>

#include <array>
#include <cstdint>
#include <optional>

namespace qel {

inline constexpr uint32_t kColourCount = 16;

// The colours of a new run, by colour number: Red is (150, 0, 0), White (220, 220, 220) and only
// Bright White is pure white.
inline constexpr std::array<QRgb, kColourCount> kDefaultColours = {
    0xFF000000, 0xFF646464, 0xFF000080, 0xFF0000FF, 0xFF008000, 0xFF00FF00, 0xFF008080, 0xFF00FFFF,
    0xFF960000, 0xFFFF0000, 0xFF800080, 0xFFFF00FF, 0xFF808000, 0xFFFFFF00, 0xFFDCDCDC, 0xFFFFFFFF,
};

// What a target's text is written with: TextFont, TextForeColour and TextBackColour set it.
struct TextAttributes {
    QRgb background = 0xFFFFFFFF;
    QRgb colour = 0xFF000000;
    std::optional<QFont> font; // set by TextFont
};

struct DrawState {
    std::array<QRgb, kColourCount> colours = kDefaultColours;
    TextAttributes text;  // the window's; a printed page has its own
    uint32_t timerId = 0; // the program's timer, 0 = none
    BitmapTable bitmaps;  // the bitmaps loaded by BitmapLoad

    // A colour number's colour; numbers outside the table draw black.
    QRgb colour(uint32_t number) const { return number < kColourCount ? colours[number] : 0xFF000000; }

    // Everything back to its value at run start.
    void resetForRun() { *this = DrawState{}; }
};

} // namespace qel
