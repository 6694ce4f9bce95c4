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

// Float to Integer: truncated toward zero. A value outside the 32-bit range (or not a number) gives
// -2147483648, the "integer indefinite" value that the processor's own conversion produces.
inline int32_t truncateToInt32(float value)
{
    if (value >= -2147483648.0f && value < 2147483648.0f)
        return static_cast<int32_t>(value);
    return -2147483647 - 1;
}

} // namespace qel
