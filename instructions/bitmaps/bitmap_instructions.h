#pragma once
// BitmapLoad, DrawBitmap, DrawBitmapScaled and BitmapUnload: a .bmp file loaded into a Bitmap
// variable (which holds a handle into the run's BitmapTable), drawn at its own size or stretched,
// and unloaded again.
//
// BitmapLoad (24):                          DrawBitmap (10):
//   offset  width  field                      offset  width  field
//   0       u32    block length (176 + area)   0       u32    block length (132 + area)
//   4       44     Operand: Bitmap variable    4       44     Operand: Bitmap variable
//   48      44     Operand: file name          48      44     Operand: Left
//   92      44     Operand: height variable    92      44     Operand: Top
//                  or empty                    136     ...    string area
//   136     44     Operand: width variable
//                  or empty
//   180     ...    string area
//
// DrawBitmapScaled (69):                    BitmapUnload (49):
//   0       u32    block length (264 + area)   0       u32    block length (44 + area)
//   4       44     Operand: Bitmap variable    4       44     Operand: Bitmap variable
//   48      44     Operand: Left               48      ...    string area
//   92      44     Operand: Top
//   136     44     Operand: Width
//   180     44     Operand: Height
//   224     44     not used (stored empty)
//   268     ...    string area

#include "interpreter/dispatch.h"
#include "messages/run_errors.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qel {

namespace bitmap_block {
inline constexpr uint32_t kBitmap = 4;
inline constexpr uint32_t kFileName = 48;
inline constexpr uint32_t kHeightVariable = 92;
inline constexpr uint32_t kWidthVariable = 136;
inline constexpr uint32_t kLoadBody = 176;

inline constexpr uint32_t kLeft = 48;
inline constexpr uint32_t kTop = 92;
inline constexpr uint32_t kDrawBody = 132;
inline constexpr uint32_t kWidth = 136;
inline constexpr uint32_t kHeight = 180;
inline constexpr uint32_t kUnused = 224;
inline constexpr uint32_t kScaledBody = 264;

inline constexpr uint32_t kUnloadBody = 44;

// The index of the decoded operand at a slot offset.
constexpr size_t slotIndex(uint32_t offset) { return (offset - 4) / 44; }
} // namespace bitmap_block

namespace bitmap_msg {
inline constexpr std::string_view kUndeclared = msg::kUndeclaredReference;
inline constexpr std::string_view kNotBitmap = "Expecting variable of type BITMAP but found variable - ";
inline constexpr std::string_view kInUse = "This bitmap variable is already in use.";
inline constexpr std::string_view kNotString = msg::kExpectingStringTypeVariable;
inline constexpr std::string_view kCannotEvaluateString = msg::kCannotEvaluateAsString;
inline constexpr std::string_view kNotNumeric = "Expecting a numeric variable but found variable - ";
inline constexpr std::string_view kNotLoaded = "This bitmap variable has not yet been loaded - ";
inline constexpr std::string_view kDrawFailed = "Failed to draw requested bitmap.";
// The details of the platform-failure reports.
inline constexpr std::string_view kCreateFailed = "Can't CreateDIBitmap MyLoadBitmap()";
inline constexpr std::string_view kDeleteFailed = "Can't delete this bitmap.";
} // namespace bitmap_msg

// Ranges of the drawing operands, with the labels their range errors name.
inline constexpr float kBitmapPlaceLow = 0.0f, kBitmapPlaceHigh = 10000.0f;
inline constexpr float kBitmapSizeLow = -1000.0f, kBitmapSizeHigh = 10000.0f;

} // namespace qel
