#pragma once
// Numbers as the system shows them and reads them back. Every number is a 32-bit float; texts are
// produced and parsed independently of the process locale (the decimal point is always '.').

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qel {

// The display precision that selects the general form: six significant digits ("%-.6g"). It is the
// precision whenever no program runs; a run starts with four decimals.
inline constexpr uint32_t kGeneralPrecision = 69;
inline constexpr uint32_t kRunStartPrecision = 4;

// Room for any number in any precision, terminator included.
inline constexpr size_t kNumberTextCapacity = 208;

// With the general precision: "%-.6g". Otherwise fixed notation with that many decimals, and when
// the text holds a decimal point, trailing zeros and then a trailing point are removed
// (2.5 -> "2.5", 3 -> "3", 0.00001 -> "0" with four decimals).
std::string formatNumber(float value, uint32_t precision);

// The same into a caller's buffer of at least kNumberTextCapacity chars, NUL-terminated, without
// allocating. Returns the length.
size_t formatNumberInto(char* out, float value, uint32_t precision);

// The number a string variable's text stands for, read as the longest leading decimal number
// (sign, digits, point, exponent) the way C's atof reads it; 0 when there is none.
float leadingDecimalValue(std::string_view text);

// Storing a number into an Integer, the one rule every store follows. The value is truncated toward
// zero. 2147483647 has no float of its own: its nearest, 2^31, is what the largest Integer reads as
// and what arithmetic near the top gives, so 2^31 stores 2147483647. Not a number, and anything
// beyond -2^31 .. 2^31, has no Integer: the store fails with the overflow error.
inline constexpr float kIntegerLowest = -2147483648.0f;
inline constexpr float kIntegerHighest = 2147483648.0f;

inline bool fitsInteger(float value) { return value >= kIntegerLowest && value <= kIntegerHighest; }

// The Integer of a value that fits.
inline int32_t integerOf(float value) { return value < kIntegerHighest ? static_cast<int32_t>(value) : 2147483647; }

} // namespace qel
