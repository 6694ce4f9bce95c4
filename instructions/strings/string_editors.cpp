#include "instructions/strings/string_editors.h"
#include "base/translatable.h"

#include "instructions/strings/string_instructions.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"
#include "values/number_text.h"

#include <array>

namespace qel {

using namespace string_block;

namespace {

constexpr std::string_view kStringVariable = kStringVariableLabel;
constexpr std::string_view kNumericVariable = QT_TRANSLATE_NOOP("qel", "&Numeric Variable");
constexpr StringOperandField kLengthFields[] = {{kStringVariable, kFirst},
                                                {QT_TRANSLATE_NOOP("qel", "Save &Length In"), kSecond}};
constexpr StringOperandField kToNumericFields[] = {{kStringVariable, kFirst}, {kNumericVariable, kSecond}};
constexpr StringOperandField kFromNumericFields[] = {{kNumericVariable, kSecond}, {kStringVariable, kFirst}};
constexpr StringOperandField kTimeAndDateFields[] = {{QT_TRANSLATE_NOOP("qel", "&Time"), kFirst},
                                                     {QT_TRANSLATE_NOOP("qel", "&Date"), kSecond}};
constexpr StringOperandField kPartFields[] = {
    {QT_TRANSLATE_NOOP("qel", "S&ource String"), kSource},
    {QT_TRANSLATE_NOOP("qel", "&Start From"), kStart, true},
    {QT_TRANSLATE_NOOP("qel", "&Finish At"), kEnd, true},
    {QT_TRANSLATE_NOOP("qel", "&Destination String"), kDestination},
};

} // namespace

std::vector<FieldSpec> StringInstructionEditor::fields() const
{
    std::vector<FieldSpec> specs;
    for (const StringOperandField& f : form_.fields)
        specs.push_back({std::string(f.label), FieldKind::Variable, {}, 0});
    return specs;
}

std::vector<std::string> StringInstructionEditor::decode(const ProgramLine& line) const
{
    std::vector<std::string> values;
    for (const StringOperandField& f : form_.fields)
        values.push_back(operandFieldText(readOperand(line.block, f.slot)));
    return values;
}

EditOutcome StringInstructionEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    BlockWriter w(form_.fixedBody);
    std::string text(instructionInfo(form_.type)->keyword);
    for (size_t k = 0; k < form_.fields.size(); ++k) {
        const StringOperandField& f = form_.fields[k];
        ClassifiedField field = classifyField(k < values.size() ? values[k] : std::string());
        const bool constant = field.kind == OperandClass::Integer || field.kind == OperandClass::Floating;
        if (field.kind != OperandClass::Variable && !(f.constantAllowed && constant))
            return fieldError(static_cast<int>(k), f.constantAllowed ? kVariableOrConstantRequired : kVariableRequired);
        writeOperand(w, f.slot, field);
        text += (k == 0 ? " " : ", ") + formatReference(asOperand(field), kGeneralPrecision);
    }
    return {std::nullopt, {form_.type, std::move(text), w.finish()}};
}

std::vector<const InstructionEditor*> stringEditors()
{
    static const std::array<StringInstructionEditor, 5> editors = {
        StringInstructionEditor(
            {kStringLength, QT_TRANSLATE_NOOP("qel", "Get A String's Length"), kTwoOperandFixedBody, kLengthFields}),
        StringInstructionEditor({kStringToNumeric, QT_TRANSLATE_NOOP("qel", "Convert A String To A Number"),
                                 kTwoOperandFixedBody, kToNumericFields}),
        StringInstructionEditor({kStringFromNumeric, QT_TRANSLATE_NOOP("qel", "Convert A Number To A String"),
                                 kTwoOperandFixedBody, kFromNumericFields}),
        StringInstructionEditor(
            {kGetTimeAndDate, QT_TRANSLATE_NOOP("qel", "Get Time And Date"), kTwoOperandFixedBody, kTimeAndDateFields}),
        StringInstructionEditor(
            {kStringPart, QT_TRANSLATE_NOOP("qel", "Extract Part Of A String"), kPartFixedBody, kPartFields}),
    };
    return editorList(editors);
}

} // namespace qel
