#pragma once
// DrawLine, DrawRect, DrawCircle, DrawArc, DrawPoint and DrawFill: the shapes a program draws on the
// run-time window. Every operand is a 44-byte operand slot; flags and colour numbers are u32; the
// string area follows the fixed part.
//
// DrawLine (type 8):            DrawRect (type 11):           DrawCircle (type 12):
//   offset width field            offset width field            offset width field
//   0      u32   block length     0      u32   block length     0      u32   block length
//   4      44    From X           4      44    Top              4      44    Centre X
//   48     44    From Y           48     44    Left             48     44    Centre Y
//   92     44    To X             92     44    Bottom           92     44    Radius Y
//   136    44    To Y             136    44    Right            136    44    Radius X
//   180    44    Width            180    44    Width            180    44    Width (0 = filled)
//   224    u32   colour number    224    u32   outline colour   224    u32   colour number
//   228    u32   1 = To absolute  228    u32   fill colour      228    ...   string area
//   232    ...   string area      232    u32   1 = outline only
//                                 236    u32   1 = Right/Bottom absolute
//                                 240    ...   string area
//
// DrawArc (type 9):             DrawPoint (type 50):          DrawFill (type 66):
//   0      u32   block length     0      u32   block length     0      u32   block length
//   4      44    Centre X         4      44    At X             4      44    At X
//   48     44    Centre Y         48     44    At Y             48     44    At Y
//   92     44    Start degrees    92     44    never read       92     u32   colour number
//   136    44    End degrees      136    u32   colour number    96     ...   string area
//   180    44    Radius Y         140    ...   string area
//   224    44    Radius X
//   268    44    Width
//   312    u32   colour number
//   316    ...   string area
//
// Relative To X/Y (DrawLine) and Right/Bottom (DrawRect) are added to From X/Y and Left/Top.

#include "interpreter/dispatch.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qel {

// The index of an operand slot among a line's decoded operands (block order).
constexpr size_t slotIndex(uint32_t offset) { return (offset - 4) / 44; }

namespace line_block {
inline constexpr uint32_t kFromX = 4, kFromY = 48, kToX = 92, kToY = 136, kWidth = 180;
inline constexpr uint32_t kColour = 224, kAbsolute = 228, kFixedBody = 228;
} // namespace line_block

namespace rect_block {
inline constexpr uint32_t kTop = 4, kLeft = 48, kBottom = 92, kRight = 136, kWidth = 180;
inline constexpr uint32_t kOutline = 224, kFill = 228, kTransparent = 232, kAbsolute = 236, kFixedBody = 236;
} // namespace rect_block

namespace circle_block {
inline constexpr uint32_t kCentreX = 4, kCentreY = 48, kRadiusY = 92, kRadiusX = 136, kWidth = 180;
inline constexpr uint32_t kColour = 224, kFixedBody = 224;
} // namespace circle_block

namespace arc_block {
inline constexpr uint32_t kCentreX = 4, kCentreY = 48, kStart = 92, kEnd = 136, kRadiusY = 180, kRadiusX = 224;
inline constexpr uint32_t kWidth = 268, kColour = 312, kFixedBody = 312;
} // namespace arc_block

namespace point_block {
inline constexpr uint32_t kAtX = 4, kAtY = 48, kColour = 136, kFixedBody = 136;
} // namespace point_block

namespace fill_block {
inline constexpr uint32_t kAtX = 4, kAtY = 48, kColour = 92, kFixedBody = 92;
} // namespace fill_block

inline constexpr std::string_view kArcAnglesEqual = "Start and end angles must be different.";

} // namespace qel
