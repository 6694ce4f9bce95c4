// The view's editing commands: Insert after, Append, Edit, Delete, Copy, Cut, Paste, Copy All Code
// and Toggle BreakPoint, with their messages.

#include "environment/ide_state.h"
#include "environment/program_view/clipboard_format.h"
#include "environment/program_view/view_model.h"
#include "instructions/variables/declared_variables.h"
#include "program/instruction_table.h"
#include "program/system_names.h"
#include "program_text/program_export.h"

#include <algorithm>

namespace qel {

void ViewModel::say(std::string_view text, Icon icon) { static_cast<MessageHost&>(ide_.host).showNotice(text, icon); }

// Every editing command starts afresh: the last profile and (except Paste) the breakpoints go.
void ViewModel::clearForEdit()
{
    discardProfile();
    ide_.interpreter.debugger().clearBreakpoints();
}

// The current line into the EditBuffer, which targets it.
void ViewModel::loadCurrentLine()
{
    EditBuffer& edit = ide_.program.edit;
    const long current = view().currentLine;
    edit.target = static_cast<int32_t>(current);
    if (current < 0 || current >= lineCount())
        return;
    const ProgramLine& line = lines()[static_cast<size_t>(current)];
    edit.text = line.text;
    edit.block = line.block;
    edit.type = line.type;
}

bool ViewModel::insertAfter(char typedLetter)
{
    clearForEdit();
    SectionPlace& s = view();
    if (s.currentLine < 0 || s.currentLine >= lineCount())
        return false;
    ide_.program.insertBlankAfter(section(), s.currentLine);
    invalidateIndentation();
    editLine(ide_, dialogParent, kNewLineMode, typedLetter);
    invalidateIndentation();
    setCurrent(s.currentLine + 1, false);
    if (s.currentLine - s.topLine >= pageRows())
        s.topLine += 3;
    return true; // a cancelled dialog leaves the blank line in the program
}

bool ViewModel::append()
{
    clearForEdit();
    EditBuffer& edit = ide_.program.edit;
    edit.target = -1;
    edit.text.clear();
    edit.type = kBlank;
    edit.block = ParamBlock();
    editLine(ide_, dialogParent, kNewLineMode, 0);
    invalidateIndentation();
    return true;
}

bool ViewModel::editCurrentLine()
{
    clearForEdit();
    const SectionPlace& s = view();
    if (s.currentLine < 0 || s.currentLine >= lineCount()) {
        say(kInvalidLineMessage, Icon::Information);
        return false;
    }
    loadCurrentLine();
    if (isRequiredLine(lines()[s.currentLine])) {
        say(kRequiredNotEditableMessage, Icon::Exclamation);
        return false;
    }
    editLine(ide_, dialogParent, kEditMode, 0);
    invalidateIndentation();
    return true;
}

// The number of selected lines; a selection of no lines or of more than the clipboard holds is
// taken as the current line alone.
long ViewModel::selectionSize()
{
    SectionPlace& s = view();
    long k = static_cast<long>(s.selectionEnd) - s.selectionStart + 1;
    if (k < 1 || k > static_cast<long>(kMaxClipboardLines)) {
        say(kSelectionSizeMessage, Icon::Exclamation);
        setCurrent(s.currentLine, false);
        k = 1;
    }
    return k;
}

// Deletes the line at the selection start; true when a line went.
bool ViewModel::deleteOneLine()
{
    SectionPlace& s = view();
    clearForEdit();
    s.currentLine = s.selectionStart;
    const long count = lineCount();
    if (s.currentLine < 0 || s.currentLine >= count) {
        say(kInvalidLineMessage, Icon::Information);
        return false;
    }
    loadCurrentLine();
    bool deleted = false;
    if (isRequiredLine(lines()[s.currentLine])) {
        say(kRequiredNotDeletableMessage, Icon::Exclamation);
    } else if ((deleted = deleteProgramLine(ide_.program, ide_.variables, s.currentLine, ide_.host))) {
        if (s.currentLine == count - 1) {
            --s.currentLine;
            ide_.program.edit.target = s.currentLine;
            s.topLine = std::max(s.topLine - 1, 0);
        }
    }
    setCurrent(s.currentLine, false);
    s.executionMarker = -1;
    return deleted;
}

bool ViewModel::deleteLines()
{
    SectionPlace& s = view();
    const long k = selectionSize();
    if (s.selectionStart == 0) {
        say(kDeletingFirstLine, Icon::Exclamation);
        return false;
    }
    const long start = s.selectionStart;
    const int top = s.topLine >= start ? static_cast<int>(std::max(start - 1, 0L)) : s.topLine;
    bool changed = false;
    for (long i = 0; i < k; ++i)
        changed = deleteOneLine() || changed;
    invalidateIndentation();
    setCurrent(std::max(std::min(start, lineCount() - 1), 0L), false);
    ide_.program.edit.target = s.currentLine;
    s.topLine = top;
    return changed;
}

std::optional<std::vector<uint8_t>> ViewModel::encodeSelection()
{
    const SectionPlace& s = view();
    const long k = selectionSize();
    const long start = s.selectionStart;
    const long end = std::min(start + k, lineCount());
    if (start < 0 || start >= end)
        return std::nullopt;
    return encodeClipboardLines(std::span(lines()).subspan(start, end - start));
}

void ViewModel::copy()
{
    if (!clipboard)
        return;
    if (auto item = encodeSelection(); item && !clipboard->setLines(std::move(*item)))
        say(kCannotSetClipboardMessage, Icon::None);
    loadCurrentLine();
}

bool ViewModel::cut()
{
    if (!clipboard)
        return false;
    auto item = encodeSelection();
    if (!item)
        return false;
    if (!clipboard->setLines(std::move(*item))) {
        say(kCannotSetClipboardMessage, Icon::None);
        return false;
    }
    bool changed = deleteLines();
    loadCurrentLine();
    return changed;
}

bool ViewModel::canPaste() const { return clipboard && clipboard->hasLines(); }

bool ViewModel::paste()
{
    discardProfile();
    SectionPlace& s = view();
    if (lineCount() < s.currentLine || s.currentLine < 0) {
        say(kNoLineToPasteAfterMessage, Icon::None);
        return false;
    }
    std::optional<std::vector<uint8_t>> item = clipboard ? clipboard->lines() : std::nullopt;
    // A damaged or foreign item is as good as none.
    ClipboardDecode decoded = item ? decodeClipboardLines(*item) : ClipboardDecode{{}, "no item"};
    if (!decoded.ok()) {
        say(kNoClipboardDataMessage, Icon::None);
        return false;
    }
    Program& p = ide_.program;
    p.edit.target = s.currentLine;
    for (ProgramLine& line : decoded.lines) {
        p.insertBlankAfter(section(), p.edit.target);
        shiftBreakpoints(p.edit.target, 1);
        if (isRequiredLine(line)) {
            say(kPasteReservedMessage, Icon::Exclamation);
        } else if (line.type == kDeclareVariable) {
            say(kPasteDeclareVariableMessage, Icon::Exclamation);
        } else {
            p.edit.text = std::move(line.text);
            p.edit.type = line.type;
            p.edit.block = std::move(line.block);
            (void)p.saveLine(ide_.host); // a failure has told the user
        }
    }
    invalidateIndentation();
    loadCurrentLine();
    return true; // even ignored lines leave their blank line behind
}

void ViewModel::copyAllCode()
{
    if (!clipboard)
        return;
    std::string text;
    for (const ProgramLine& line : lines()) {
        text += line.text;
        text += "\r\n";
    }
    if (!clipboard->setText(std::move(text)))
        say(kCannotSetClipboardMessage, Icon::None);
}

void ViewModel::copyAsText()
{
    if (!clipboard)
        return;
    const SectionPlace& s = view();
    const bool range = s.selectionEnd > s.selectionStart && s.selectionStart >= 0;
    const auto first = static_cast<size_t>(range ? s.selectionStart : 0);
    const auto last = static_cast<size_t>(range ? s.selectionEnd : lineCount() - 1);
    if (!clipboard->setUtf8Text(exportLines(ide_.program, section(), first, last)))
        say(kCannotSetClipboardMessage, Icon::None);
}

// Breakpoints at or below a line move down with it when lines are inserted above them.
void ViewModel::shiftBreakpoints(long from, long by)
{
    ide_.interpreter.debugger().shiftBreakpoints(section(), static_cast<uint32_t>(std::max(from, 0L)), by);
}

bool ViewModel::isBreakpoint(long line) const
{
    return line >= 0 && ide_.interpreter.debugger().isBreakpoint({section(), static_cast<uint32_t>(line)});
}

void ViewModel::toggleBreakPoint()
{
    const SectionPlace& s = view();
    if (s.currentLine < 0 || s.currentLine >= lineCount())
        return;
    switch (lines()[s.currentLine].type) {
    case kEndIf:
    case kEndWhile:
    case kNext:
    case kElse: say(kNoBreakpointOnTypeMessage, Icon::Information); return;
    default: break;
    }
    if (!ide_.interpreter.debugger().toggleBreakpoint(section(), static_cast<uint32_t>(s.currentLine)))
        say(kTooManyBreakpointsMessage, Icon::Information);
}

} // namespace qel
