#include "instructions/flow/while_editor.h"
#include "base/translatable.h"

#include "instructions/flow/condition.h"
#include "instructions/flow/if_editor.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"

namespace qel {

using namespace while_fields;

namespace {

std::span<const ListItem> whileComparisons() { return comparisonItems().first(kRelationalComparisons); }

} // namespace

uint32_t WhileEditor::type() const { return kWhile; }

std::vector<FieldSpec> WhileEditor::fields() const
{
    return {
        {QT_TRANSLATE_NOOP("qel", "&Variable"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "&Condition"), FieldKind::List, listTexts(whileComparisons()), 0},
        {QT_TRANSLATE_NOOP("qel", "Va&lue"), FieldKind::Variable, {}, 0},
    };
}

std::vector<std::string> WhileEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& block = line.block;
    return {operandFieldText(readOperand(block, while_block::kLeft)),
            itemText(whileComparisons(), block.u32(while_block::kCode)),
            operandFieldText(readOperand(block, while_block::kRight))};
}

EditOutcome WhileEditor::accept(const std::vector<std::string>& given, EditContext&) const
{
    std::vector<std::string> values = given;
    values.resize(kCount);
    const ClassifiedField left = classifyField(values[kVariable]);
    if (left.kind != OperandClass::Variable)
        return fieldError(kVariable, kVariableRequired);
    const std::optional<uint32_t> code = itemCodeOrFirst(whileComparisons(), values[kCondition]);
    if (!code)
        return fieldError(kCondition, kNotAListItem);
    const ClassifiedField right = classifyField(values[kValue]);
    if (right.kind == OperandClass::Empty || right.kind == OperandClass::Invalid)
        return fieldError(kValue, kExpressionRequired);

    BlockWriter writer(while_block::kFixedBody);
    writeOperand(writer, while_block::kLeft, left);
    writeOperand(writer, while_block::kRight, right);
    writer.setU32(while_block::kCode, *code);
    std::string text = "While " + operandFieldText(asOperand(left)) + " " + itemText(whileComparisons(), *code) + " " +
                       operandFieldText(asOperand(right));

    EditOutcome outcome;
    outcome.line = EditedLine{kWhile, std::move(text), writer.finish()};
    return outcome;
}

} // namespace qel
