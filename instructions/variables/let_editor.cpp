#include "instructions/variables/let_editor.h"
#include "base/translatable.h"

#include "instructions/variables/let.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"

#include <array>
#include <optional>

namespace qel {

using namespace let_fields;

namespace {

// The lists in the dialog's order; the texts, blanks included, are also those of the display text.
constexpr std::array<ListItem, 10> kOperators = {{
    {"+", kAdd},
    {"-", kSubtract},
    {"*", kMultiply},
    {"/", kDivide},
    {"%", kRemainder},
    {" Bit_And ", kBitAnd},
    {" Bit_Or ", kBitOr},
    {" Bit_Xor ", kBitXor},
    {" Bit_Not ", kBitNot},
    {"", kNoOperator},
}};
constexpr std::array<ListItem, 6> kFunctionOperators = {{
    {"+", kAdd},
    {"-", kSubtract},
    {"*", kMultiply},
    {"/", kDivide},
    {"%", kRemainder},
    {"", kNoOperator},
}};
constexpr std::array<ListItem, 11> kFunctions = {{
    {"Cos", kCos},
    {"Sin", kSin},
    {"Tan", kTan},
    {"Sqrt", kSqrt},
    {"Rand", kRand},
    {"Int", kInt},
    {"Fraction", kFraction},
    {"Round", kRound},
    {"DateToStr", kDateToStr},
    {"DateFromStr", kDateFromStr},
    {"", 0},
}};

// What an accepted dialog stores: the four operands in block order, the mode, and the two codes
// (operator 1 or the function, then operator 2).
struct LetLine {
    std::array<ClassifiedField, 4> operands;
    uint32_t mode = kExpressionMode;
    uint32_t code1 = kNoOperator;
    uint32_t code2 = kNoOperator;
};

// The first operand of a mode: it must be given.
std::optional<EditOutcome> checkLeading(std::string_view text, int field, std::string_view emptyMessage,
                                        ClassifiedField& out)
{
    out = classifyField(text);
    if (out.kind == OperandClass::Invalid)
        return fieldError(field, kInvalidExpression);
    if (out.kind == OperandClass::Empty)
        return fieldError(field, emptyMessage);
    return std::nullopt;
}

// An operand after an operator list: given exactly when the operator is.
std::optional<EditOutcome> checkFollowing(std::string_view text, int field, uint32_t op, int operatorField,
                                          ClassifiedField& out)
{
    out = classifyField(text);
    if (out.kind == OperandClass::Invalid)
        return fieldError(field, kInvalidExpression);
    if (op == kNoOperator && out.kind != OperandClass::Empty)
        return fieldError(operatorField, kMissingOperator);
    if (op != kNoOperator && out.kind == OperandClass::Empty)
        return fieldError(field, kMissingExpression);
    return std::nullopt;
}

std::optional<EditOutcome> checkExpression(const std::vector<std::string>& values, LetLine& line)
{
    if (auto error = checkLeading(values[kOperand1], kOperand1, kEntryRequired, line.operands[1]))
        return error;
    const std::optional<uint32_t> op1 = itemCode(kOperators, values[kOperator1]);
    if (!op1)
        return fieldError(kOperator1, kNotAListItem);
    if (auto error = checkFollowing(values[kOperand2], kOperand2, *op1, kOperator1, line.operands[2]))
        return error;
    const std::optional<uint32_t> op2 = itemCode(kOperators, values[kOperator2]);
    if (!op2)
        return fieldError(kOperator2, kNotAListItem);
    if (*op2 != kNoOperator && *op1 == kNoOperator)
        return fieldError(kOperator1, kMissingOperator);
    if (auto error = checkFollowing(values[kOperand3], kOperand3, *op2, kOperator2, line.operands[3]))
        return error;
    line.code1 = *op1;
    line.code2 = *op2;
    return std::nullopt;
}

std::optional<EditOutcome> checkFunction(const std::vector<std::string>& values, LetLine& line)
{
    const std::optional<uint32_t> function = itemCode(kFunctions, values[kFunction]);
    if (!function)
        return fieldError(kFunction, kNotAListItem);
    if (*function == 0)
        return fieldError(kFunction, kFunctionRequired);
    if (auto error = checkLeading(values[kArgument], kArgument, kExpressionRequired, line.operands[1]))
        return error;
    const std::optional<uint32_t> op = itemCode(kFunctionOperators, values[kFunctionOperator]);
    if (!op)
        return fieldError(kFunctionOperator, kNotAListItem);
    if (auto error = checkFollowing(values[kSecondOperand], kSecondOperand, *op, kFunctionOperator, line.operands[2]))
        return error;
    line.mode = kFunctionMode;
    line.code1 = *function;
    line.code2 = *op;
    return std::nullopt;
}

std::string partText(const ClassifiedField& field)
{
    return field.kind == OperandClass::Empty ? std::string() : operandFieldText(asOperand(field));
}

// "Let N = A+B*C", "Let X = Cos(A)*2"
std::string displayText(const LetLine& line)
{
    const auto& o = line.operands;
    std::string text = "Let " + partText(o[0]) + " = ";
    if (line.mode == kFunctionMode)
        return text + itemText(kFunctions, line.code1) + "(" + partText(o[1]) + ")" +
               itemText(kFunctionOperators, line.code2) + partText(o[2]);
    return text + partText(o[1]) + itemText(kOperators, line.code1) + partText(o[2]) +
           itemText(kOperators, line.code2) + partText(o[3]);
}

} // namespace

uint32_t LetEditor::type() const { return kLet; }

std::vector<FieldSpec> LetEditor::fields() const
{
    return {
        {QT_TRANSLATE_NOOP("qel", "&Variable"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "Use A &Function"), FieldKind::Check, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "&Expression"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "&Operator"), FieldKind::List, listTexts(kOperators), 0},
        {QT_TRANSLATE_NOOP("qel", "E&xpression"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "O&perator"), FieldKind::List, listTexts(kOperators), 0},
        {QT_TRANSLATE_NOOP("qel", "Expre&ssion"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "F&unction"), FieldKind::List, listTexts(kFunctions), 0},
        {QT_TRANSLATE_NOOP("qel", "&Argument"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "Ope&rator"), FieldKind::List, listTexts(kFunctionOperators), 0},
        {QT_TRANSLATE_NOOP("qel", "Se&cond Operand"), FieldKind::Variable, {}, 0},
    };
}

std::vector<std::string> LetEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& block = line.block;
    std::vector<std::string> values(let_fields::kCount);
    auto operandText = [&](uint32_t offset) { return operandFieldText(readOperand(block, offset)); };
    values[let_fields::kDestination] = operandText(let_block::kDestination);
    const uint32_t op2 = block.u32(let_block::kOperator2);
    if (block.u32(let_block::kMode) == kFunctionMode) {
        values[kUseFunction] = "1";
        values[let_fields::kFunction] = itemText(kFunctions, block.u32(let_block::kFunction));
        values[kArgument] = operandText(let_block::kOperand1);
        values[kFunctionOperator] = itemText(kFunctionOperators, op2);
        if (op2 != kNoOperator)
            values[kSecondOperand] = operandText(let_block::kOperand2);
        return values;
    }
    const uint32_t op1 = block.u32(let_block::kOperator1);
    values[let_fields::kOperand1] = operandText(let_block::kOperand1);
    values[let_fields::kOperator1] = itemText(kOperators, op1);
    values[let_fields::kOperator2] = itemText(kOperators, op2);
    if (op1 != kNoOperator)
        values[let_fields::kOperand2] = operandText(let_block::kOperand2);
    if (op2 != kNoOperator)
        values[let_fields::kOperand3] = operandText(let_block::kOperand3);
    return values;
}

EditOutcome LetEditor::accept(const std::vector<std::string>& given, EditContext&) const
{
    std::vector<std::string> values = given;
    values.resize(let_fields::kCount);
    LetLine line;
    line.operands[0] = classifyField(values[let_fields::kDestination]);
    if (line.operands[0].kind != OperandClass::Variable)
        return fieldError(let_fields::kDestination, kVariableRequired);
    const bool functionMode = isSet(values[kUseFunction]);
    if (auto error = functionMode ? checkFunction(values, line) : checkExpression(values, line))
        return *error;

    BlockWriter writer(let_block::kFixedBody);
    writer.setU32(let_block::kMode, line.mode);
    constexpr std::array<uint32_t, 4> kSlotOffsets = {let_block::kDestination, let_block::kOperand1,
                                                      let_block::kOperand2, let_block::kOperand3};
    for (size_t k = 0; k < kSlotOffsets.size(); ++k)
        writeOperand(writer, kSlotOffsets[k], line.operands[k]);
    writer.setU32(let_block::kOperator1, line.code1);
    writer.setU32(let_block::kOperator2, line.code2);
    // Names of at most 20 characters and string literals of at most 253 keep every Let line within
    // the limits of a block and a display text.
    EditOutcome outcome;
    outcome.line = EditedLine{kLet, displayText(line), writer.finish()};
    return outcome;
}

} // namespace qel
