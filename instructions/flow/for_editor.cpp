#include "instructions/flow/for_editor.h"
#include "base/translatable.h"

#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"

#include <array>

namespace qel {

namespace {

bool isNumericEntry(const ClassifiedField& field)
{
    return field.kind == OperandClass::Variable || field.kind == OperandClass::Integer ||
           field.kind == OperandClass::Floating;
}

std::string fieldText(const ClassifiedField& field) { return operandFieldText(asOperand(field)); }

} // namespace

uint32_t ForEditor::type() const { return kFor; }

std::vector<FieldSpec> ForEditor::fields() const
{
    return {
        {QT_TRANSLATE_NOOP("qel", "&Control Variable"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "&Starting Value"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "&Finishing Value"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "Ste&p"), FieldKind::Variable, {}, 0},
    };
}

std::vector<std::string> ForEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& block = line.block;
    auto text = [&](uint32_t offset) { return operandFieldText(readOperand(block, offset)); };
    const bool step = block.u32(for_block::kStepGiven) == 1;
    return {text(for_block::kCounter), text(for_block::kStart), text(for_block::kEnd),
            step ? text(for_block::kStep) : std::string()};
}

EditOutcome ForEditor::accept(const std::vector<std::string>& given, EditContext&) const
{
    using namespace for_fields;
    std::vector<std::string> values = given;
    values.resize(kCount);
    std::array<ClassifiedField, kCount> fields;
    for (int k = 0; k < kCount; ++k) {
        ClassifiedField& field = fields[static_cast<size_t>(k)];
        field = classifyField(values[static_cast<size_t>(k)]);
        const bool ok = k == kCounter ? field.kind == OperandClass::Variable
                                      : isNumericEntry(field) || (k == kStep && field.kind == OperandClass::Empty);
        if (!ok)
            return fieldError(k, kNumericExpressionRequired);
    }
    const bool step = fields[kStep].kind != OperandClass::Empty;

    BlockWriter writer(for_block::kFixedBody);
    writeOperand(writer, for_block::kCounter, fields[kCounter]);
    writeOperand(writer, for_block::kStart, fields[kStart]);
    writeOperand(writer, for_block::kEnd, fields[kEnd]);
    writeOperand(writer, for_block::kStep, fields[kStep]);
    writer.setU32(for_block::kStepGiven, step ? 1 : 0);
    std::string text =
        "For " + fieldText(fields[kCounter]) + " = " + fieldText(fields[kStart]) + " To " + fieldText(fields[kEnd]);
    if (step)
        text += " Step " + fieldText(fields[kStep]);

    EditOutcome outcome;
    outcome.line = EditedLine{kFor, std::move(text), writer.finish()};
    return outcome;
}

} // namespace qel
