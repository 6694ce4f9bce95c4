#pragma once
// The editors of MessageBox, InputBox, Pause and TimerStart (layouts in interaction_instructions.h;
// TimerStop is a fixed-text line). Fields in dialog order:
//
//   MessageBox  "Message Box":      0 "&Message" (a variable or string constant), the buttons 1 "&OK",
//                                   2 "OK/&Cancel", 3 "&Yes/No", 4 "Yes/No/C&ancel", 5 "&Retry/Cancel",
//                                   the icons 6 "&Exclamation", 7 "&Information", 8 "&Question",
//                                   9 "&Stop", 10 "Save &Button Pressed Into" (a variable or empty).
//                                   A new line starts with OK and Information.
//                                   Line text: MessageBox "Hello",Answer,4,32
//   InputBox    "Input Box":        0 "&Prompt" (a variable or string constant), 1 "&Response" (a variable).
//                                   Line text: InputBox "Name?", Name
//   Pause       "Pause Execution":  0 "&1000ths Of a second" (a number from 1 to 1000). Line text: Pause 500
//   TimerStart  "Start Timer":      0 "&100ths Of a second" (a number from 1 to 1000, stored as its
//                                   whole-number value). Line text: TimerStart 50

#include "base/translatable.h"
#include "messages/editor_messages.h"
#include "values/editor.h"

#include <string_view>
#include <vector>

namespace qel {

inline constexpr std::string_view kMessageRequired =
    QT_TRANSLATE_NOOP("qel", "String Variable or string literal required.");
inline constexpr std::string_view kButtonVariableRequired =
    QT_TRANSLATE_NOOP("qel", "Numeric Variable or Nothing required.");
inline constexpr std::string_view kNumericLiteralRequired = QT_TRANSLATE_NOOP("qel", "Numeric literal required.");
inline constexpr std::string_view kPauseOutOfRange = "Pause interval should be between 1 and 1000.";
inline constexpr std::string_view kTimerOutOfRange = "Timer interval should be between 1 and 1000.";

namespace message_box_fields {
inline constexpr int kMessage = 0, kButtonsFirst = 1, kIconsFirst = 6, kResult = 10, kCount = 11;
} // namespace message_box_fields

class MessageBoxEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Message Box"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class InputBoxEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Input Box"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class PauseEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Pause Execution"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class TimerStartEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Start Timer"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

std::vector<const InstructionEditor*> interactionEditors();

} // namespace qel
