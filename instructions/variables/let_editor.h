#pragma once
// The editor of Let lines ("Let"). Expression mode: up to three operands joined by two operator
// lists. Function mode: a function, its argument, and an optional operator with a second operand.
//
// Fields, in order:
//   0 "&Variable"           the destination
//   1 "Use A &Function"     check box: function mode when set
//   expression mode:
//   2 "&Expression"         operand 1
//   3 "&Operator"           list: "+", "-", "*", "/", "%", " Bit_And ", " Bit_Or ", " Bit_Xor ",
//                                 " Bit_Not ", empty
//   4 "E&xpression"         operand 2
//   5 "O&perator"           the same list
//   6 "Expre&ssion"         operand 3
//   function mode:
//   7 "F&unction"           list: Cos, Sin, Tan, Sqrt, Rand, Int, Fraction, Round, DateToStr,
//                                 DateFromStr, empty
//   8 "&Argument"
//   9 "Ope&rator"           list: "+", "-", "*", "/", "%", empty
//   10 "Se&cond Operand"
//
// The fields of the mode not chosen are not looked at. An operator set after an empty operator
// (operator 2 without operator 1) is refused as a missing operator, at the first operator.

#include "base/translatable.h"
#include "messages/editor_messages.h"
#include "values/editor.h"
#include "values/editor_fields.h"

#include <string_view>

namespace qel {

namespace let_fields {
inline constexpr int kDestination = 0;
inline constexpr int kUseFunction = 1;
inline constexpr int kOperand1 = 2;
inline constexpr int kOperator1 = 3;
inline constexpr int kOperand2 = 4;
inline constexpr int kOperator2 = 5;
inline constexpr int kOperand3 = 6;
inline constexpr int kFunction = 7;
inline constexpr int kArgument = 8;
inline constexpr int kFunctionOperator = 9;
inline constexpr int kSecondOperand = 10;
inline constexpr int kCount = 11;
} // namespace let_fields

inline constexpr std::string_view kFunctionRequired = QT_TRANSLATE_NOOP("qel", "Function required.");
inline constexpr std::string_view kMissingOperator = QT_TRANSLATE_NOOP("qel", "Missing operator.");
inline constexpr std::string_view kMissingExpression = QT_TRANSLATE_NOOP("qel", "Missing expresion.");

class LetEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Let"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
