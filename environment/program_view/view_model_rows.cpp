// What the view paints: the indentation of block levels, each visible row's colours and marks, and
// the profile time or hit count of a line.

#include "environment/ide_state.h"
#include "environment/program_view/view_model.h"
#include "program/block_levels.h"

#include <string>

namespace qel {

int indentBefore(uint32_t type) { return levelChangeBefore(type) * kIndentStep; }

int indentAfter(uint32_t type) { return levelChangeAfter(type) * kIndentStep; }

// The indentation is the running sum of every earlier line's change, kept for the last line asked
// about so that scrolling walks only the lines between the old and the new top line.
int ViewModel::indentationAt(long n) const
{
    const auto& lines = this->lines();
    n = std::clamp<long>(n, 0, static_cast<long>(lines.size()));
    IndentCache& c = indentCache_;
    if (!c.valid || c.section != section() || c.lines != lines.data() || c.count != lines.size())
        c = {true, section(), lines.data(), lines.size(), 0, 0};
    for (; c.line < n; ++c.line)
        c.value += indentBefore(lines[c.line].type) + indentAfter(lines[c.line].type);
    for (; c.line > n; --c.line)
        c.value -= indentBefore(lines[c.line - 1].type) + indentAfter(lines[c.line - 1].type);
    return c.value;
}

std::vector<RowPaint> ViewModel::paintRows() const
{
    namespace c = view_colour;
    const SectionPlace& s = view();
    const long count = lineCount();
    const Profile& profile = ide_.interpreter.debugger().profile();
    const auto& ticks = profile.ticks[section()];
    const auto& counts = profile.counts[section()];

    std::vector<bool> outside;
    if (ide_.lessonProfile)
        outside = linesOutside(*ide_.lessonProfile, ide_.program.sections[section()]);

    std::vector<RowPaint> rows;
    int indent = indentationAt(s.topLine);
    for (long line = std::max(s.topLine, 0), k = 0; line < count; ++line, ++k) {
        const int top = static_cast<int>(k) * kRowHeight;
        if (k > 0 && top + kRowHeight > height_)
            break;
        const ProgramLine& pl = lines()[line];
        const bool selected = line >= s.selectionStart && line <= s.selectionEnd;
        const bool current = line == s.currentLine;
        indent += indentBefore(pl.type);

        RowPaint row;
        row.line = line;
        row.top = top;
        row.text = pl.text;
        row.background = selected ? c::kSelectedBackground : c::kBackground;
        if (indent < 0)
            row.colour = selected ? c::kUnbalancedSelected : c::kUnbalanced;
        else if (line == s.executionMarker)
            row.colour = selected ? c::kExecutionMarkerSelected : c::kExecutionMarker;
        else if (pl.type == kComment)
            row.colour = current || selected ? c::kCommentCurrent : c::kComment;
        else if (pl.type == kDeclareFunction || pl.type == kEndFunction)
            row.colour = current || selected ? c::kFunctionCurrent : c::kFunction;
        else
            row.colour = current || selected ? c::kOtherCurrent : c::kOther;
        const int drawIndent = indent < 0 ? 0 : indent;
        const int column = hitCountsShown ? kHitCountColumn : kProfileColumn;
        row.textX = drawIndent + kTextMargin + (profileShown ? column : 0);
        row.underlineX = drawIndent + kTextMargin;
        if (line == s.executionMarker) { // the marker stands only while the run is paused there
            row.underline = RowPaint::Underline::Stopped;
            row.underlineColour = c::kStoppedUnderline;
        } else if (isBreakpoint(line)) {
            row.underline = RowPaint::Underline::Breakpoint;
            row.underlineColour = c::kBreakpointUnderline;
        }
        row.profileColour = selected ? c::kProfileTimeSelected : c::kProfileTime;
        const auto& shown = hitCountsShown ? counts : ticks;
        if (profileShown && static_cast<size_t>(line) < shown.size())
            row.profile = hitCountsShown ? std::to_string(counts[line]) : profileTimeText(ticks[line], profile.total);

        row.outsideProfile = static_cast<size_t>(line) < outside.size() && outside[line];

        indent += indentAfter(pl.type);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace qel
