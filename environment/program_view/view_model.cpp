// The view's cursor, selection, top line and movements; the section pane text.

#include "environment/program_view/view_model.h"

#include "environment/ide_state.h"
#include "environment/program_view/find_in_code.h"
#include "environment/program_view/line_editing.h"

#include <algorithm>

namespace qel {

ViewModel::ViewModel(IdeState& ide)
    : editLine([](IdeState& state, QWidget* parent, int mode, char letter) {
          return EditLine(state, parent, mode, letter);
      }),
      ide_(ide)
{}

void ViewModel::setClientSize(int width, int height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
}

uint32_t ViewModel::section() const { return ide_.program.edit.section < 5 ? ide_.program.edit.section : 0; }
const std::vector<ProgramLine>& ViewModel::lines() const { return ide_.program.sections[section()].lines; }
long ViewModel::lineCount() const { return static_cast<long>(lines().size()); }

// Moves the cursor; the selection either runs from the anchor to it or collapses onto it.
void ViewModel::setCurrent(long line, bool extend)
{
    SectionPlace& s = view();
    s.currentLine = static_cast<int>(line);
    long& anchor = anchors_[section()];
    if (extend) {
        s.selectionStart = static_cast<int>(std::min(anchor, line));
        s.selectionEnd = static_cast<int>(std::max(anchor, line));
    } else {
        s.selectionStart = s.selectionEnd = static_cast<int>(line);
        anchor = line;
    }
}

void ViewModel::showSection(uint32_t s)
{
    if (s >= kSectionCount)
        return;
    ide_.program.edit.section = s;
    SectionPlace& v = view();
    v.topLine = std::max(0, v.currentLine - pageRows() / 2);
}

void ViewModel::showLine(uint32_t s, long line)
{
    if (s >= kSectionCount)
        return;
    ide_.program.edit.section = s;
    if (line >= 0 && line < lineCount())
        setCurrent(line, false);
    showSection(s);
}

bool ViewModel::find(std::string_view text)
{
    searchText_ = text.substr(0, kMaxFindText);
    if (searchText_.empty())
        return false;
    const std::optional<LineCursor> found = findText(ide_.program, searchText_);
    if (!found) {
        say(kNoMatchFound, Icon::Exclamation);
        return false;
    }
    showLine(found->section, found->index);
    return true;
}

bool ViewModel::findNext()
{
    if (searchText_.empty())
        return false;
    const LineCursor from{section(), static_cast<uint32_t>(std::max(view().currentLine, 0))};
    const std::optional<LineCursor> found = findText(ide_.program, searchText_, from);
    if (!found) {
        say(kNoMatchFound, Icon::Exclamation);
        return false;
    }
    showLine(found->section, found->index);
    return true;
}

void ViewModel::markPausedLine(uint32_t s, long line)
{
    for (SectionPlace& place : places_)
        place.executionMarker = -1;
    if (s < kSectionCount)
        places_[s].executionMarker = static_cast<int>(line);
}

void ViewModel::programReplaced()
{
    places_.fill(SectionPlace{});
    anchors_.fill(0);
    ide_.interpreter.debugger().clearBreakpoints();
    discardProfile();
    profileShown = false;
    invalidateIndentation();
    showSection(section());
}

void ViewModel::discardProfile() { ide_.interpreter.debugger().discardProfile(); }

void ViewModel::move(Move m, bool extend)
{
    SectionPlace& s = view();
    const long last = lineCount() - 1;
    const long cur = s.currentLine;
    switch (m) {
    case Move::Down:
        if (cur >= last)
            return;
        setCurrent(cur + 1, extend);
        if (cur + 1 - s.topLine >= pageRows())
            ++s.topLine;
        return;
    case Move::Up:
        if (cur <= 0)
            return;
        setCurrent(cur - 1, extend);
        if (cur - 1 < s.topLine)
            s.topLine = static_cast<int>(cur - 1);
        return;
    case Move::PageUp:
    case Move::PageDown: {
        long page = pageRows();
        if (page >= 4)
            page -= 3;
        long top = m == Move::PageDown ? std::min(s.topLine + page, last) : std::max(s.topLine - page, 0L);
        s.topLine = static_cast<int>(top);
        // Without Shift the cursor lands one below the new top line, even past the last line.
        setCurrent(extend ? top : top + 1, extend);
        return;
    }
    case Move::Home:
        s.topLine = 0;
        setCurrent(0, extend);
        return;
    case Move::End:
        s.topLine = static_cast<int>(last);
        setCurrent(last, extend);
        return;
    }
}

void ViewModel::wheel(int steps, bool page)
{
    const Move down = page ? Move::PageDown : Move::Down;
    const Move up = page ? Move::PageUp : Move::Up;
    for (; steps > 0; --steps)
        move(down, false);
    for (; steps < 0; ++steps)
        move(up, false);
}

long ViewModel::lineAtY(int y) const
{
    int row = y >= 0 ? y / kRowHeight : -((-y + kRowHeight - 1) / kRowHeight);
    return view().topLine + row;
}

bool ViewModel::pressAt(int y)
{
    long line = lineAtY(y);
    if (line < 0 || line >= lineCount())
        return false;
    setCurrent(line, false);
    ide_.program.edit.target = static_cast<int32_t>(line);
    return true;
}

bool ViewModel::dragTo(int y)
{
    const SectionPlace& s = view();
    long line = lineAtY(y);
    if (line == s.currentLine || line == s.selectionEnd || line < 0 || line >= lineCount())
        return false;
    setCurrent(line, true);
    return true;
}

bool ViewModel::rightClickAt(int y)
{
    long line = lineAtY(y);
    if (line < 0 || line >= lineCount())
        return false;
    view().currentLine = static_cast<int>(line);
    ide_.program.edit.target = static_cast<int32_t>(line);
    return true;
}

void ViewModel::scroll(Scroll action, int position)
{
    SectionPlace& s = view();
    const long last = lineCount() - 1;
    switch (action) {
    case Scroll::LineUp: s.topLine = std::max(s.topLine - 1, 0); break;
    case Scroll::LineDown: s.topLine = static_cast<int>(std::min<long>(s.topLine + 1, last)); break;
    case Scroll::PageUp: move(Move::PageUp, false); break;
    case Scroll::PageDown: move(Move::PageDown, false); break;
    case Scroll::Top: s.topLine = 0; break;
    case Scroll::Bottom: s.topLine = static_cast<int>(last); break;
    case Scroll::Thumb: s.topLine = static_cast<int>(last * std::clamp(position, 0, 100) / 100); break;
    }
}

int ViewModel::scrollPosition() const
{
    const long last = lineCount() - 1;
    if (last <= 0)
        return 0;
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(view().topLine) * 100 / last, 0, 100));
}

std::string ViewModel::sectionPaneText() const
{
    // Timer and Mouse carry two blanks, lining their numbers up with the longer names.
    static constexpr std::string_view kPrefixes[] = {"Initialise - ", "Paint - ", "Keyboard - ", "Timer -  ",
                                                     "Mouse -  "};
    return std::string(kPrefixes[section()]) + std::to_string(static_cast<long>(view().currentLine) + 1);
}

} // namespace qel
