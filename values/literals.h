#pragma once
// The literal rules for typed values. Each validator returns the exact message the dialog shows
// (as a warning) when the text breaks its rule, or nothing when the text is a valid literal. The
// same rules, without messages, decide what ClassifyField reads as a literal and what IsNumeric
// accepts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qel {

using LiteralMessage = std::optional<std::string_view>;

inline constexpr std::string_view kValueOutsideIntegerBounds = "Value outside integer bounds";
inline constexpr std::string_view kNonNumericInInteger = "Non numeric character in an integer";
inline constexpr std::string_view kMisplacedSign = "Misplaced sign.";
inline constexpr std::string_view kNumericConstantTooLong = "Numeric constant too long";
inline constexpr std::string_view kMultipleDecimalPoints = "Multiple occurance of a decimal point.";
inline constexpr std::string_view kNonNumericInFloat = "Non numeric character in a float.";
inline constexpr std::string_view kInvalidExponent = "Invalid exponent.";
inline constexpr std::string_view kExponentOutOfRange = "Exponent out of range.";
inline constexpr std::string_view kStringTooLong = "String too long";
inline constexpr std::string_view kStringNeedsQuotes = "A String must start and end with \" ";
inline constexpr std::string_view kValueTooLongForBitmap = "Value too long for a bitmap";
inline constexpr std::string_view kValueTooLongForFilename = "Value too long for a filename";

inline constexpr size_t kMaxIntegerLiteral = 10;
inline constexpr size_t kMaxFloatingLiteral = 24;
inline constexpr size_t kMaxStringLiteral = 255;
inline constexpr size_t kMaxFileNameLength = 255;

// 1 to 10 characters: digits, a sign only first; the value as a float within -2^31 .. 2^31.
// A sign with no digits is not an integer.
LiteralMessage validateInteger(std::string_view text);
// 1 to 24 characters: digits with at most one point, a sign only first, and an optional exponent
// (e or E, an optional sign, digits) within -38 .. 38. At least one digit before the exponent, so
// that e5 stays a name. An empty text counts as too long, its length being out of bounds.
LiteralMessage validateFloating(std::string_view text);
// 2 to 255 characters, the first and the last a double quote.
LiteralMessage validateString(std::string_view text);
LiteralMessage validateBitmapFileName(std::string_view text);
LiteralMessage validateFileName(std::string_view text);

// The text without blanks at either end (typed fields are read this way).
std::string_view trimBlanks(std::string_view text);

// Picks the validator by VariableType: 1 integer, 2 floating, 3 bitmap file name, 4 string,
// 5 file name. Other types have no literal and accept anything.
LiteralMessage validateAs(uint32_t variableType, std::string_view text);

inline bool isIntegerLiteral(std::string_view text) { return !validateInteger(text); }
inline bool isFloatingLiteral(std::string_view text) { return !validateFloating(text); }
inline bool isStringLiteral(std::string_view text) { return !validateString(text); }

// Values of valid literals. An integer beyond the 32-bit range (2^31 passes the float bound)
// saturates to 2147483647 where a 32-bit integer is stored.
int64_t integerLiteralValue(std::string_view validInteger);
int32_t integerLiteralInt32(std::string_view validInteger);
float floatingLiteralValue(std::string_view validFloating);
// The characters between the quotes.
inline std::string_view stringLiteralText(std::string_view validString)
{
    return validString.substr(1, validString.size() - 2);
}

// The shortest text that validateFloating accepts and that reads back as exactly this float (used
// to show a stored value for editing). Infinities read back from 9e38; a NaN has no literal.
std::string floatingLiteralText(float value);

} // namespace qel
