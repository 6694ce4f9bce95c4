#pragma once
// The string and date-time instructions: StringLength, StringToNumeric, StringFromNumeric,
// GetTimeAndDate and StringPart. Their handlers read and write variables named in their operands;
// texts are 8-bit, positions counted in bytes from 1.
//
// Two-operand block (StringLength 36, StringToNumeric 34, StringFromNumeric 35, GetTimeAndDate 19):
//   offset  width  field
//   0       u32    block length (88 + string area)
//   4       44     Operand: first operand
//   48      44     Operand: second operand
//   92      ...    string area
//
//   instruction        first operand (4)                     second operand (48)
//   StringLength       String variable to measure            numeric variable for the length
//   StringToNumeric    String variable to convert            numeric variable for the number
//   StringFromNumeric  String variable for the text          numeric variable to convert
//   GetTimeAndDate     String variable for the time          String variable for the date
//
// StringPart (33):
//   0       u32    block length (176 + string area)
//   4       44     Operand: the source String variable
//   48      44     Operand: the destination String variable
//   92      44     Operand: the start position (a numeric variable or constant)
//   136     44     Operand: the end position (a numeric variable or constant)
//   180     ...    string area
//
// Before anything is read or written, each operand's variable is checked in block order: declared,
// and a String or a number as its place asks.

#include "interpreter/dispatch.h"
#include "messages/run_errors.h"

#include <ctime>
#include <string_view>

namespace qel {

namespace string_block {
inline constexpr uint32_t kFirst = 4;
inline constexpr uint32_t kSecond = 48;
inline constexpr uint32_t kTwoOperandFixedBody = 88; // body bytes before the string area
inline constexpr uint32_t kSource = 4;
inline constexpr uint32_t kDestination = 48;
inline constexpr uint32_t kStart = 92;
inline constexpr uint32_t kEnd = 136;
inline constexpr uint32_t kPartFixedBody = 176;

// Where an operand slot comes among a line's decoded operands (they are in block order).
constexpr size_t slotIndex(uint32_t offset) { return (offset - 4) / kOperandSize; }
} // namespace string_block

inline constexpr std::string_view kEndBeforeStart = "End must be greater than Start- ";
// Our own: the C library could not turn the clock's reading into a local time.
inline constexpr std::string_view kNoLocalTime = "The local time could not be read";

// GetTimeAndDate at a given instant (its handler passes the clock's reading): the local time as
// HH:MM:SS into the first variable, the date as DD/MM/YYYY into the second.
LineResult getTimeAndDateAt(LineContext& line, std::time_t now);

// The handlers, for the family's descriptors.
LineResult stringLength(LineContext& line);
LineResult stringToNumeric(LineContext& line);
LineResult stringFromNumeric(LineContext& line);
LineResult stringPart(LineContext& line);
LineResult getTimeAndDate(LineContext& line);

} // namespace qel
