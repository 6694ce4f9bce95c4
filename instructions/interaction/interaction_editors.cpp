#include "instructions/interaction/interaction_editors.h"
#include "base/translatable.h"

#include "instructions/interaction/interaction_instructions.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"
#include "values/number_text.h"

#include <cmath>
#include <span>

namespace qel {

using namespace interaction_block;
namespace box = message_box_fields;

namespace {

// The radio groups of the Message Box dialog in dialog order, with the codes their blocks store.
constexpr ListItem kButtonChoices[] = {
    {QT_TRANSLATE_NOOP("qel", "&OK"), kButtonsOk},
    {QT_TRANSLATE_NOOP("qel", "OK/&Cancel"), kButtonsOkCancel},
    {QT_TRANSLATE_NOOP("qel", "&Yes/No"), kButtonsYesNo},
    {QT_TRANSLATE_NOOP("qel", "Yes/No/C&ancel"), kButtonsYesNoCancel},
    {QT_TRANSLATE_NOOP("qel", "&Retry/Cancel"), kButtonsRetryCancel},
};
constexpr ListItem kIconChoices[] = {
    {QT_TRANSLATE_NOOP("qel", "&Exclamation"), kIconExclamation},
    {QT_TRANSLATE_NOOP("qel", "&Information"), kIconInformation},
    {QT_TRANSLATE_NOOP("qel", "&Question"), kIconQuestion},
    {QT_TRANSLATE_NOOP("qel", "&Stop"), kIconStop},
};

void addRadios(std::vector<FieldSpec>& specs, std::span<const ListItem> group)
{
    for (const ListItem& item : group)
        specs.push_back({std::string(item.text), FieldKind::Radio, {}, 0, 0, &item == &group.front()});
}

// The code of the group's set button; none set: the code a new line starts with.
uint32_t chosenCode(const std::vector<std::string>& values, size_t first, std::span<const ListItem> group,
                    uint32_t fallback)
{
    for (size_t k = 0; k < group.size(); ++k)
        if (isSet(fieldValue(values, first + k)))
            return group[k].code;
    return fallback;
}

// The group's buttons showing a stored code; a code no button has shows the one a new line starts with.
void addRadioValues(std::vector<std::string>& values, std::span<const ListItem> group, uint32_t code, uint32_t fallback)
{
    if (itemText(group, code).empty())
        code = fallback;
    for (const ListItem& item : group)
        values.emplace_back(item.code == code ? "1" : "");
}

// Pause's and TimerStart's one field: a numeric constant from 1 to 1000.
std::optional<EditOutcome> checkInterval(const ClassifiedField& f, std::string_view outOfRange)
{
    if (f.kind != OperandClass::Integer && f.kind != OperandClass::Floating)
        return fieldError(0, kNumericLiteralRequired);
    if (!(f.number >= 1.0f && f.number <= 1000.0f))
        return fieldError(0, outOfRange);
    return std::nullopt;
}

} // namespace

uint32_t MessageBoxEditor::type() const { return kMessageBox; }

std::vector<FieldSpec> MessageBoxEditor::fields() const
{
    std::vector<FieldSpec> specs = {{QT_TRANSLATE_NOOP("qel", "&Message"), FieldKind::Variable, {}, 0}};
    addRadios(specs, kButtonChoices);
    addRadios(specs, kIconChoices);
    specs.push_back({QT_TRANSLATE_NOOP("qel", "Save &Button Pressed Into"), FieldKind::Variable, {}, 0});
    return specs;
}

std::vector<std::string> MessageBoxEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& b = line.block;
    std::vector<std::string> values = {operandFieldText(readOperand(b, kMessage))};
    addRadioValues(values, kButtonChoices, b.u32(kButtons), kButtonsOk);
    addRadioValues(values, kIconChoices, b.u32(kIcon), kIconInformation);
    values.push_back(formatOptionalReference(readOperand(b, kResult)));
    return values;
}

EditOutcome MessageBoxEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    ClassifiedField message = classifyField(fieldValue(values, box::kMessage));
    if (!isStringSource(message))
        return fieldError(box::kMessage, kMessageRequired);
    ClassifiedField result = classifyField(fieldValue(values, box::kResult));
    if (result.kind != OperandClass::Variable && result.kind != OperandClass::Empty)
        return fieldError(box::kResult, kButtonVariableRequired);
    const uint32_t buttons = chosenCode(values, box::kButtonsFirst, kButtonChoices, kButtonsOk);
    const uint32_t icon = chosenCode(values, box::kIconsFirst, kIconChoices, kIconInformation);

    BlockWriter w(kMessageBoxFixedBody);
    writeOperand(w, kMessage, message);
    writeOperand(w, kResult, result);
    w.setU32(kButtons, buttons);
    w.setU32(kIcon, icon);
    if (!w.fits())
        return fieldError(box::kMessage, kLineTooLong);
    std::string text = "MessageBox " + displayText(message) + "," + formatOptionalReference(asOperand(result)) + "," +
                       std::to_string(buttons) + "," + std::to_string(icon);
    return {std::nullopt, {kMessageBox, std::move(text), w.finish()}};
}

uint32_t InputBoxEditor::type() const { return kInputBox; }

std::vector<FieldSpec> InputBoxEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&Prompt"), FieldKind::Variable, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "&Response"), FieldKind::Variable, {}, 0}};
}

std::vector<std::string> InputBoxEditor::decode(const ProgramLine& line) const
{
    return {operandFieldText(readOperand(line.block, kPrompt)), operandFieldText(readOperand(line.block, kReply))};
}

EditOutcome InputBoxEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    ClassifiedField prompt = classifyField(fieldValue(values, 0));
    if (!isStringSource(prompt))
        return fieldError(0, kVariableOrStringLiteralRequired);
    ClassifiedField reply = classifyField(fieldValue(values, 1));
    if (reply.kind != OperandClass::Variable)
        return fieldError(1, kVariableRequired);
    BlockWriter w(kInputBoxFixedBody);
    writeOperand(w, kPrompt, prompt);
    writeOperand(w, kReply, reply);
    if (!w.fits())
        return fieldError(0, kLineTooLong);
    return {std::nullopt, {kInputBox, "InputBox " + displayText(prompt) + ", " + displayText(reply), w.finish()}};
}

uint32_t PauseEditor::type() const { return kPause; }

std::vector<FieldSpec> PauseEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&1000ths Of a second"), FieldKind::Text, {}, 0}};
}

std::vector<std::string> PauseEditor::decode(const ProgramLine& line) const
{
    return {operandFieldText(readOperand(line.block, kDuration))};
}

EditOutcome PauseEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    ClassifiedField duration = classifyField(fieldValue(values, 0));
    if (auto refused = checkInterval(duration, kPauseOutOfRange))
        return *refused;
    BlockWriter w(kPauseBody);
    writeOperand(w, kDuration, duration);
    return {std::nullopt, {kPause, "Pause " + displayText(duration), w.finish()}};
}

uint32_t TimerStartEditor::type() const { return kTimerStart; }

std::vector<FieldSpec> TimerStartEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&100ths Of a second"), FieldKind::Text, {}, 0}};
}

std::vector<std::string> TimerStartEditor::decode(const ProgramLine& line) const
{
    return {std::to_string(line.block.u32(kInterval))};
}

EditOutcome TimerStartEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    ClassifiedField interval = classifyField(fieldValue(values, 0));
    if (auto refused = checkInterval(interval, kTimerOutOfRange))
        return *refused;
    const auto hundredths = static_cast<uint32_t>(std::trunc(interval.number));
    BlockWriter w(kTimerStartBody);
    w.setU32(kInterval, hundredths);
    return {std::nullopt, {kTimerStart, "TimerStart " + std::to_string(hundredths), w.finish()}};
}

std::vector<const InstructionEditor*> interactionEditors()
{
    static const MessageBoxEditor messageBox;
    static const InputBoxEditor inputBox;
    static const PauseEditor pause;
    static const TimerStartEditor timerStart;
    return {&messageBox, &inputBox, &pause, &timerStart};
}

} // namespace qel
