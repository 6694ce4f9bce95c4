#include "values/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace qel {

namespace {

// Decimals beyond this only add zeros (the smallest float has 149 fractional digits), which the
// fixed form strips again, so clamping keeps every result exact and the buffer bounded.
constexpr uint32_t kMaxFixedDecimals = 150;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Overflow or underflow of an out-of-range decimal: the position of its first significant digit
// relative to the decimal point, plus the exponent, says which.
double outOfRangeValue(std::string_view mantissa, long exponent)
{
    long magnitude = 0;
    size_t point = mantissa.find('.');
    size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return 0.0;
    if (point == std::string_view::npos || first < point)
        magnitude = static_cast<long>((point == std::string_view::npos ? mantissa.size() : point) - first);
    else
        magnitude = -static_cast<long>(first - point - 1);
    return magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

size_t formatNumberInto(char* out, float value, uint32_t precision)
{
    char* const end = out + kNumberTextCapacity - 1;
    std::to_chars_result r{};
    if (precision == kGeneralPrecision) {
        r = std::to_chars(out, end, static_cast<double>(value), std::chars_format::general, 6);
    } else {
        int decimals = static_cast<int>(std::min(precision, kMaxFixedDecimals));
        r = std::to_chars(out, end, static_cast<double>(value), std::chars_format::fixed, decimals);
    }
    size_t length = r.ec == std::errc() ? static_cast<size_t>(r.ptr - out) : 0;
    if (precision != kGeneralPrecision && std::memchr(out, '.', length)) {
        while (length > 0 && out[length - 1] == '0')
            --length;
        if (length > 0 && out[length - 1] == '.')
            --length;
    }
    out[length] = '\0';
    return length;
}

std::string formatNumber(float value, uint32_t precision)
{
    char buffer[kNumberTextCapacity];
    size_t length = formatNumberInto(buffer, value, precision);
    return std::string(buffer, length);
}

float leadingDecimalValue(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const size_t start = i;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0f;
    const std::string_view mantissa = text.substr(start, i - start);
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            negativeExponent = text[j++] == '-';
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                exponent = std::min(exponent * 10 + (text[j] - '0'), 100000L);
                ++j;
            }
            if (negativeExponent)
                exponent = -exponent;
            i = j;
        }
    }
    double value = 0.0;
    auto r = std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range)
        value = outOfRangeValue(mantissa, exponent);
    // Converting a double beyond the float range gives an infinity: well defined with IEEE floats.
    float result = static_cast<float>(value);
    return negative ? -result : result;
}

} // namespace qel
