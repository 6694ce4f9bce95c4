#include "instructions/flow/if_editor.h"
#include "base/translatable.h"

#include "instructions/flow/condition.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"

#include <array>
#include <optional>

namespace qel {

using namespace if_fields;

namespace {

constexpr std::array<ListItem, 10> kComparisonList = {{
    {kGreaterThanItem, kGreaterThan},
    {"Less Than", kLessThan},
    {"Greater Than or Equal", kGreaterOrEqual},
    {"Less Than or Equal", kLessOrEqual},
    {"Equal", kEqual},
    {"Not Equal", kNotEqual},
    {".AtEndOfFile", kAtEndOfFile},
    {"IsNumeric", kIsNumeric},
    {"IsNotNumeric", kIsNotNumeric},
    {"", 0},
}};
constexpr std::array<ListItem, 4> kLogicalList = {{{"AND", kAnd}, {"OR", kOr}, {"XOR", kXor}, {"", kNoLogical}}};

struct Row {
    ClassifiedField left;
    uint32_t code = 0;
    ClassifiedField right; // empty for a comparison without a right operand
    bool open = false;
    bool close = false;
};

struct IfLine {
    std::array<Row, kRows> rows;
    std::array<uint32_t, 2> logicals{};
    int rowCount = 0;
};

std::optional<EditOutcome> checkRow(const std::vector<std::string>& values, int k, Row& row)
{
    row.left = classifyField(values[variableField(k)]);
    if (row.left.kind != OperandClass::Variable)
        return fieldError(variableField(k), kVariableRequired);
    const std::optional<uint32_t> code = itemCode(kComparisonList, values[comparisonField(k)]);
    if (!code)
        return fieldError(comparisonField(k), kNotAListItem);
    if (*code == 0)
        return fieldError(comparisonField(k), kConditionRequired);
    row.code = *code;
    row.right = classifyField(values[valueField(k)]);
    if (isUnaryComparison(row.code)) {
        if (row.right.kind != OperandClass::Empty)
            return fieldError(valueField(k), kExpectingEmptyField);
    } else if (row.right.kind == OperandClass::Empty || row.right.kind == OperandClass::Invalid) {
        return fieldError(valueField(k), kVariableOrConstantRequired);
    }
    row.open = isSet(values[openField(k)]);
    row.close = isSet(values[closeField(k)]);
    return std::nullopt;
}

std::optional<EditOutcome> checkRows(const std::vector<std::string>& values, IfLine& line)
{
    for (int k = 0; k < kRows; ++k) {
        if (k > 0) {
            const std::optional<uint32_t> logical = itemCode(kLogicalList, values[conditionField(k - 1)]);
            if (!logical)
                return fieldError(conditionField(k - 1), kNotAListItem);
            if (*logical == kNoLogical) {
                const std::optional<uint32_t> next =
                    k == 1 ? itemCode(kLogicalList, values[conditionField(1)]) : std::nullopt;
                if (next && *next != kNoLogical)
                    return fieldError(conditionField(0), kConditionRequired);
                break;
            }
            line.logicals[static_cast<size_t>(k - 1)] = *logical;
        }
        if (auto error = checkRow(values, k, line.rows[static_cast<size_t>(k)]))
            return error;
        line.rowCount = k + 1;
    }
    return std::nullopt;
}

// At most one pair, opening on a row at or before the row it closes.
std::optional<EditOutcome> checkBrackets(const IfLine& line)
{
    int opens = 0;
    int closes = 0;
    int openRow = -1;
    int closeRow = -1;
    int firstMarked = -1;
    for (int k = 0; k < line.rowCount; ++k) {
        const Row& row = line.rows[static_cast<size_t>(k)];
        if (row.open) {
            openRow = openRow < 0 ? k : openRow;
            ++opens;
            firstMarked = firstMarked < 0 ? openField(k) : firstMarked;
        }
        if (row.close) {
            closeRow = closeRow < 0 ? k : closeRow;
            ++closes;
            firstMarked = firstMarked < 0 ? closeField(k) : firstMarked;
        }
    }
    if (opens != closes)
        return fieldError(firstMarked, kUnbalancedParenthesis);
    if (opens > 1)
        return fieldError(firstMarked, kUnnecessaryParenthesis);
    if (opens == 1 && closeRow < openRow)
        return fieldError(closeField(closeRow), kUnbalancedParenthesis);
    return std::nullopt;
}

std::string rowText(const Row& row)
{
    std::string text = row.open ? "(" : "";
    text += operandFieldText(asOperand(row.left));
    if (row.code != kAtEndOfFile)
        text += " ";
    text += itemText(kComparisonList, row.code);
    if (!isUnaryComparison(row.code))
        text += " " + operandFieldText(asOperand(row.right));
    return text + (row.close ? ")" : "");
}

std::string displayText(const IfLine& line)
{
    std::string text = "If ";
    for (int k = 0; k < line.rowCount; ++k) {
        if (k > 0)
            text += " " + itemText(kLogicalList, line.logicals[static_cast<size_t>(k - 1)]) + " ";
        text += rowText(line.rows[static_cast<size_t>(k)]);
    }
    return text + " Then";
}

} // namespace

std::span<const ListItem> comparisonItems() { return kComparisonList; }

uint32_t IfEditor::type() const { return kIf; }

std::vector<FieldSpec> IfEditor::fields() const
{
    std::vector<FieldSpec> specs;
    for (int k = 0; k < kRows; ++k) {
        specs.push_back({"(", FieldKind::Check, {}, 0});
        specs.push_back({QT_TRANSLATE_NOOP("qel", "&Variable"), FieldKind::Variable, {}, 0});
        specs.push_back({QT_TRANSLATE_NOOP("qel", "&Comparision"), FieldKind::List, listTexts(kComparisonList), 0});
        specs.push_back({QT_TRANSLATE_NOOP("qel", "&Value"), FieldKind::Variable, {}, 0});
        specs.push_back({")", FieldKind::Check, {}, 0});
        if (k + 1 < kRows)
            specs.push_back({QT_TRANSLATE_NOOP("qel", "C&ondition"), FieldKind::List, listTexts(kLogicalList), 0});
    }
    return specs;
}

std::vector<std::string> IfEditor::decode(const ProgramLine& line) const
{
    using namespace if_block;
    const ParamBlock& block = line.block;
    std::vector<std::string> values(if_fields::kCount);
    const uint32_t brackets = block.u32(kBrackets);
    const uint32_t first = block.u32(logicalOperator(0));
    const int rows = first == kNoLogical ? 1 : block.u32(logicalOperator(1)) == kNoLogical ? 2 : 3;
    for (int k = 0; k < rows; ++k) {
        const uint32_t code = block.u32(comparisonCode(k));
        values[openField(k)] = (brackets & openBracketBit(k)) ? "1" : "";
        values[variableField(k)] = operandFieldText(readOperand(block, leftOperand(k)));
        values[comparisonField(k)] = itemText(kComparisonList, code);
        if (!isUnaryComparison(code))
            values[valueField(k)] = operandFieldText(readOperand(block, rightOperand(k)));
        values[closeField(k)] = (brackets & closeBracketBit(k)) ? "1" : "";
        if (k + 1 < rows)
            values[conditionField(k)] = itemText(kLogicalList, block.u32(logicalOperator(k)));
    }
    return values;
}

EditOutcome IfEditor::accept(const std::vector<std::string>& given, EditContext&) const
{
    std::vector<std::string> values = given;
    values.resize(if_fields::kCount);
    IfLine line;
    if (auto error = checkRows(values, line))
        return *error;
    if (auto error = checkBrackets(line))
        return *error;

    using namespace if_block;
    BlockWriter writer(if_block::kFixedBody);
    uint32_t brackets = 0;
    for (int k = 0; k < line.rowCount; ++k) {
        const Row& row = line.rows[static_cast<size_t>(k)];
        writeOperand(writer, leftOperand(k), row.left);
        writeOperand(writer, rightOperand(k), row.right);
        writer.setU32(comparisonCode(k), row.code);
        brackets |= (row.open ? openBracketBit(k) : 0) | (row.close ? closeBracketBit(k) : 0);
    }
    writer.setU32(logicalOperator(0), line.logicals[0]);
    writer.setU32(logicalOperator(1), line.logicals[1]);
    writer.setU32(kBrackets, brackets);
    std::string text = displayText(line);
    if (!writer.fits() || text.size() > kMaxLineText)
        return fieldError(valueField(line.rowCount - 1), kLineTooLong);

    EditOutcome outcome;
    outcome.line = EditedLine{kIf, std::move(text), writer.finish()};
    return outcome;
}

} // namespace qel
