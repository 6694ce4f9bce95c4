#include "values/literals.h"

#include "values/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace qel {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSign(char c) { return c == '+' || c == '-'; }

LiteralMessage validateExponent(std::string_view exponent)
{
    size_t i = 0;
    if (i < exponent.size() && isSign(exponent[i]))
        ++i;
    if (i == exponent.size())
        return kInvalidExponent;
    long magnitude = 0;
    for (; i < exponent.size(); ++i) {
        if (!isDigit(exponent[i]))
            return kInvalidExponent;
        magnitude = std::min(magnitude * 10 + (exponent[i] - '0'), 1000L);
    }
    if (magnitude > 38) // -38 .. 38 either way
        return kExponentOutOfRange;
    return std::nullopt;
}

} // namespace

LiteralMessage validateInteger(std::string_view text)
{
    if (text.empty() || text.size() > kMaxIntegerLiteral)
        return kValueOutsideIntegerBounds;
    bool digits = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (isSign(text[i])) {
            if (i != 0)
                return kMisplacedSign;
        } else if (isDigit(text[i])) {
            digits = true;
        } else {
            return kNonNumericInInteger;
        }
    }
    if (!digits)
        return kNonNumericInInteger;
    float value = static_cast<float>(integerLiteralValue(text));
    if (value < -2147483648.0f || value > 2147483648.0f)
        return kValueOutsideIntegerBounds;
    return std::nullopt;
}

LiteralMessage validateFloating(std::string_view text)
{
    if (text.empty() || text.size() > kMaxFloatingLiteral)
        return kNumericConstantTooLong;
    bool point = false;
    bool digits = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (isDigit(c)) {
            digits = true;
        } else if (c == '.') {
            if (point)
                return kMultipleDecimalPoints;
            point = true;
        } else if (isSign(c)) {
            if (i != 0)
                return kMisplacedSign;
        } else if (c == 'e' || c == 'E') {
            if (!digits)
                return kNonNumericInFloat;
            return validateExponent(text.substr(i + 1));
        } else {
            return kNonNumericInFloat;
        }
    }
    if (!digits)
        return kNonNumericInFloat;
    return std::nullopt;
}

LiteralMessage validateString(std::string_view text)
{
    if (text.size() > kMaxStringLiteral)
        return kStringTooLong;
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return kStringNeedsQuotes;
    return std::nullopt;
}

LiteralMessage validateBitmapFileName(std::string_view text)
{
    if (text.size() > kMaxFileNameLength)
        return kValueTooLongForBitmap;
    return std::nullopt;
}

LiteralMessage validateFileName(std::string_view text)
{
    if (text.size() > kMaxFileNameLength)
        return kValueTooLongForFilename;
    return std::nullopt;
}

std::string_view trimBlanks(std::string_view text)
{
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

LiteralMessage validateAs(uint32_t variableType, std::string_view text)
{
    switch (variableType) {
    case 1: return validateInteger(text);
    case 2: return validateFloating(text);
    case 3: return validateBitmapFileName(text);
    case 4: return validateString(text);
    case 5: return validateFileName(text);
    default: return std::nullopt;
    }
}

int64_t integerLiteralValue(std::string_view text)
{
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && isSign(text.front()))
        text.remove_prefix(1);
    int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return negative ? -value : value;
}

int32_t integerLiteralInt32(std::string_view text)
{
    int64_t value = integerLiteralValue(text);
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

float floatingLiteralValue(std::string_view text) { return leadingDecimalValue(text); }

std::string floatingLiteralText(float value)
{
    if (std::isinf(value))
        return value > 0 ? "9e38" : "-9e38";
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, r.ptr);
    size_t e = text.find('e');
    if (e == std::string::npos)
        return text;
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    if (exponent >= -38)
        return text;
    // Below 1e-38 the exponent rule needs the digits shifted: 1.4e-45 is written 0.00000014e-38.
    std::string sign = text.front() == '-' ? "-" : "";
    std::string digits;
    for (char c : text.substr(sign.size(), e - sign.size()))
        if (isDigit(c))
            digits += c;
    return sign + "0." + std::string(static_cast<size_t>(-38 - exponent - 1), '0') + digits + "e-38";
}

} // namespace qel
