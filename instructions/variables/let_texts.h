#pragma once
// The run-time messages of Let. Each follows the "RUN TIME ERROR\n\n" header (the Unmanaged ones
// the internal-error header); those ending in "- " are followed by the offending name or text.

#include <string_view>

namespace qel::msg {

// Let.
inline constexpr std::string_view kRemainderByZero = "Division by zero in % operation.";
inline constexpr std::string_view kFunctionReturnsString =
    "Function returns a string value but found numeric variable.";
inline constexpr std::string_view kFunctionReturnsNumber =
    "Function returns a numeric value but found a string variable.";
inline constexpr std::string_view kDateFormat = "Date format must be (dd/mm/yyyy) but found - ";
inline constexpr std::string_view kNotADate = "Unable to convert to a date - ";
inline constexpr std::string_view kInvalidOperator = "Invalid operator.";
inline constexpr std::string_view kAssignToBitmap = "Assignment to variable of type BITMAP is not permitted. - ";
inline constexpr std::string_view kAssignToFile = "Assignment to variable of type FILE is not permitted. - ";
// Labels of CheckRange for an Integer destination's operands.
inline constexpr std::string_view kFirstExpression = "First expression";
inline constexpr std::string_view kSecondExpression = "Second expression";
inline constexpr std::string_view kThirdExpression = "Third expression";
// Our own, for codes no editor writes.
inline constexpr std::string_view kUnmanagedOperator = "Unmanaged arithmetic operation.";
inline constexpr std::string_view kUnmanagedFunction = "Unmanaged function.";
inline constexpr std::string_view kLetOperandsMissing = "Let line without its operands.";

} // namespace qel::msg
