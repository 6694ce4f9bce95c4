#pragma once
// The run-time messages of variables and operands. A run-time error is a header followed by one of
// these and, for those ending in "- ", the offending name or text.

#include <string_view>

namespace qel::msg {

inline constexpr std::string_view kRunTimeError = "RUN TIME ERROR\n\n";
inline constexpr std::string_view kInternalError = "Internal Error - Please report\n\n";

// Subscripts.
inline constexpr std::string_view kSubscriptUndeclared = "Expecting subscript but found undeclared variable - ";
inline constexpr std::string_view kSubscriptNonNumeric = "Expecting subscript but found a non-numeric variable - ";
inline constexpr std::string_view kSubscriptArray = "Expecting subscript but found array variable - ";
inline constexpr std::string_view kSubscript1OutOfRange = "1st Subscript out of range - ";
inline constexpr std::string_view kSubscript2OutOfRange = "2nd Subscript out of range - ";
inline constexpr std::string_view kDifferingDimensions =
    "Differing number of dimensions between reference and declaration of variable - ";

// EvalNumber.
inline constexpr std::string_view kNumericFoundStringLiteral = "Expecting numeric value but found string literal - ";
inline constexpr std::string_view kNumericFoundUndeclared = "Expecting numeric value but found undeclared variable - ";
inline constexpr std::string_view kNumericFoundNonNumeric =
    "Expecting numeric value but found a non-numeric variable - ";
// "Unable to convert the contents " + '"' + text + '"' + " of the string ..." + name
inline constexpr std::string_view kUnableToConvert = "Unable to convert the contents ";
inline constexpr std::string_view kUnableToConvertTail = " of the string variable to a numeric value - ";

// EvalString.
inline constexpr std::string_view kStringFoundNonString = "Expecting string value but found non string value ";
inline constexpr std::string_view kStringFoundUndeclared = "Expecting string value but found undeclared variable - ";
inline constexpr std::string_view kStringFoundNonStringVariable =
    "Expecting string value but found a non-string variable - ";
inline constexpr std::string_view kOutOfMemoryDot = "Out of memory.";

// EvalBitmap and EvalFile.
inline constexpr std::string_view kBitmapFoundUndeclared = "Expecting Bitmap but found undeclared variable - ";
inline constexpr std::string_view kBitmapFoundNonBitmap = "Expecting Bitmap but found a non-bitmap variable - ";
inline constexpr std::string_view kBitmapFoundLiteral = "Expecting Bitmap but found literal value ";
inline constexpr std::string_view kFileFoundUndeclared = "Expecting File but found undeclared variable - ";
inline constexpr std::string_view kFileFoundNonFile = "Expecting File but found a non-file variable - ";
inline constexpr std::string_view kFileFoundLiteral = "Expecting File but found literal value ";

// StoreNumber, StoreWord, StoreText.
inline constexpr std::string_view kVariableFoundUndeclared = "Expecting variable but found undeclared variable - ";
inline constexpr std::string_view kVariableFoundLiteral = "Expecting variable but found literal.";
inline constexpr std::string_view kOutOfMemoryBlank = "Out of memory ";
// A store into a variable of a type the caller should have refused (an internal inconsistency).
inline constexpr std::string_view kStoreWrongType = "Store into a variable of the wrong type - ";

// CheckRange: "Value out of range - " + value + " - " + label, without a header.
inline constexpr std::string_view kValueOutOfRange = "Value out of range - ";

// The run-start reset of the operand caches.
inline constexpr std::string_view kFailedCacheReset = "Failed to reset direct access pointer";
inline constexpr std::string_view kFailedCacheResetWhere = "(VarClearDa)";

} // namespace qel::msg
