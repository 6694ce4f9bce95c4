#pragma once
// The run-time messages of If and While conditions (after the "RUN TIME ERROR\n\n" header; the
// Unmanaged ones after the internal-error header). Those ending in "- " are followed by a name.

#include <string_view>

namespace qel::msg {

inline constexpr std::string_view kComparisonNotPossible = "Comparison not possible for this type of variable.";
inline constexpr std::string_view kAllNumericAreNumeric = "All numeric variables are numeric.";
inline constexpr std::string_view kNoFile = "No file associated with this variable.";
inline constexpr std::string_view kEvaluateBitmap = "Evaluation of variable of type BITMAP is not permitted. - ";
inline constexpr std::string_view kUnmanagedNumericComparison = "Unmanaged comparison. (IfNumeric)";
inline constexpr std::string_view kUnmanagedStringComparison = "Unmanaged comparison (IfStr).";
inline constexpr std::string_view kUnmanagedFileComparison = "Unmanaged comparison (IfFile).";
inline constexpr std::string_view kUnmanagedLogical = "Unmanaged logical operation.";
// Our own, for a line handed over without its operands.
inline constexpr std::string_view kConditionOperandsMissing = "Condition line without its operands.";

inline constexpr std::string_view kWhileBitmap = "Can't use Bitmap variable in While statement - ";
inline constexpr std::string_view kWhileFile = "Can't use File variable in While statement - ";
inline constexpr std::string_view kCantEvaluate = "Can't evaluate expresion.";

} // namespace qel::msg
