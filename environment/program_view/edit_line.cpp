#include "environment/editors/dialog_runner.h"
#include "environment/editors/ins_blank_dialog.h"
#include "environment/editors/instruction_dialog.h"
#include "environment/ide_state.h"
#include "environment/program_view/line_editing.h"
#include "instructions/catalogue.h"
#include "program/instruction_table.h"

#include <optional>

namespace qel {

namespace {

constexpr int kEditMode = 1;

// The line that closes the block a new line opens.
std::optional<uint32_t> closingLineOf(uint32_t type)
{
    switch (type) {
    case kIf: return kEndIf;
    case kFor: return kNext;
    case kWhile: return kEndWhile;
    case kDeclareFunction: return kEndFunction;
    default: return std::nullopt;
    }
}

// Stores a fixed-text line of that type from the EditBuffer, at its target.
bool storeFixedText(Program& program, uint32_t type, MessageHost& host)
{
    program.edit.type = type;
    program.edit.text = std::string(instructionInfo(type)->fixedText);
    program.edit.block = ParamBlock();
    return program.saveLine(host);
}

// Puts the closing line straight after the line just stored: inserted after it, or appended after an
// appended line.
void storeClosingLine(Program& program, uint32_t closing, MessageHost& host)
{
    if (program.edit.target >= 0)
        program.insertBlankAfter(program.edit.section, program.edit.target);
    storeFixedText(program, closing, host);
}

} // namespace

int execDialog(QDialog& dialog) { return dialog.exec(); }

bool EditLine(IdeState& ide, QWidget* parent, int mode, char typedLetter)
{
    return EditLine(ide, parent, mode, typedLetter, execDialog);
}

bool EditLine(IdeState& ide, QWidget* parent, int mode, char typedLetter, const DialogRunner& run)
{
    Program& program = ide.program;
    EditBuffer& buffer = program.edit;

    if (buffer.type == kBlank) {
        buffer.text.clear();
        InsBlank chooser(typedLetter, parent, ide.lessonProfile ? &*ide.lessonProfile : nullptr);
        run(chooser);
        const std::optional<uint32_t> chosen = chooser.chosenType();
        if (!chosen)
            return false;
        buffer.type = *chosen;
        buffer.text.clear();
        buffer.block = ParamBlock();
        if (mode == kEditMode)
            mode = 2; // a blank line being edited becomes a new line of the chosen type
    }

    const uint32_t type = buffer.type;
    const InstructionInfo* info = instructionInfo(type);
    bool stored = false;
    if (const InstructionEditor* editor = editorFor(type)) {
        InstructionDialog dialog(*editor, ide, mode == kEditMode, parent);
        run(dialog);
        stored = dialog.stored();
    } else if (info && !info->fixedText.empty()) {
        if (mode == kEditMode) {
            ide.host.showNotice(info->refusal, Icon::Exclamation, Buttons::Ok);
            if (buffer.target >= 0)
                static_cast<void>(program.saveLine(ide.host)); // the line as it was, which fitted before
            return false;
        }
        stored = storeFixedText(program, type, ide.host);
    }

    if (stored && mode != kEditMode)
        if (const std::optional<uint32_t> closing = closingLineOf(type))
            storeClosingLine(program, *closing, ide.host);
    return stored;
}

} // namespace qel
