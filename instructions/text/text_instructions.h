#pragma once
// The attributes a running program writes text with (TextFont, TextForeColour, TextBackColour), the
// precision numbers are shown with (FPDispDigits), remapping a colour number (ColourRemap), and
// DrawText, which writes or measures text in a rectangle.
//
// TextFont (type 31):                       TextForeColour (30), TextBackColour (29), FPDispDigits (62):
//   offset  width  field                      offset  width  field
//   0       u32    12 + face length + 1       0       u32    4
//   4       u32    reference to the face      4       u32    colour number 0-15, or the digits
//   8       u32    point size                                0, 2, 3, 4, 6 or 69 (general form)
//   12      u32    style: 1 bold, 2 italic,
//                  4 underline
//   16      ...    face name, NUL-terminated
//
// ColourRemap (type 68):                    DrawText (type 13):
//   offset  width  field                      offset  width  field
//   0       u32    block length               0       u32    block length
//   4       44     Operand: red 0-255         4       44     Operand: Top
//   48      44     Operand: green 0-255       48      44     Operand: Bottom
//   92      44     Operand: blue 0-255        92      44     Operand: Left
//   136     u32    colour number to remap     136     44     Operand: Right
//   140     ...    string area                180     44     Operand: Text
//                                             224     u8     1 Left, 2 Centre, 4 Right, 8 GetSize,
//                                                            plus 16 Transparent
//                                             225     3      not used
//                                             228     ...    string area
//
// The attribute instructions change the drawing state of the target they run on; every text drawn
// applies that state first (applyTextAttributes). A printer target carries its own state, so while
// printing they change the printer's attributes and leave the window's alone.

#include "interpreter/dispatch.h"
#include "runtime/text_attributes.h"

#include <QFont>

#include <cstdint>
#include <string_view>

namespace qel {

class DrawTarget;

namespace text_block {
inline constexpr uint32_t kFace = 4;
inline constexpr uint32_t kPointSize = 8;
inline constexpr uint32_t kStyle = 12;
inline constexpr uint32_t kFontFixedBody = 12;
inline constexpr uint32_t kBold = kFontBold;
inline constexpr uint32_t kItalic = kFontItalic;
inline constexpr uint32_t kUnderline = kFontUnderline;

inline constexpr uint32_t kSetting = 4; // colour number or digits
inline constexpr uint32_t kSettingBody = 4;

inline constexpr uint32_t kRed = 4;
inline constexpr uint32_t kGreen = 48;
inline constexpr uint32_t kBlue = 92;
inline constexpr uint32_t kRemapColour = 136;
inline constexpr uint32_t kRemapFixedBody = 136;

inline constexpr uint32_t kTop = 4;
inline constexpr uint32_t kBottom = 48;
inline constexpr uint32_t kLeft = 92;
inline constexpr uint32_t kRight = 136;
inline constexpr uint32_t kText = 180;
inline constexpr uint32_t kFlags = 224;
inline constexpr uint32_t kDrawTextFixedBody = 224;
inline constexpr uint8_t kAlignLeft = 1;
inline constexpr uint8_t kAlignCentre = 2;
inline constexpr uint8_t kAlignRight = 4;
inline constexpr uint8_t kGetSize = 8;
inline constexpr uint8_t kTransparent = 16;
} // namespace text_block

// Run-time messages of DrawText (after the run-time error header), and its range labels.
inline constexpr std::string_view kBottomNotBelowTop = "Bottom must be greater than Top.";
inline constexpr std::string_view kRightNotBeyondLeft = "Right must be greater than Left.";
inline constexpr std::string_view kBottomNotNumericVariable = "Expecting a numeric variable for paramter - Bottom";
inline constexpr std::string_view kRightNotNumericVariable = "Expecting a numeric variable for paramter - Right";

} // namespace qel
