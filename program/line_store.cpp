#include "program/instruction_table.h"
#include "program/program.h"
#include "program/references.h"

#include <algorithm>
#include <new>

namespace qel {

namespace {

constexpr std::string_view kSectionNames[] = {"Initialise", "Paint", "Keyboard", "Timer", "Mouse"};
constexpr std::string_view kSectionTitles[] = {"Initialisation", "Paint event", "Keyboard handler", "Timer event",
                                               "Mouse handler"};

} // namespace

void blankLineBreaks(std::string& text)
{
    size_t out = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (c == '\r' || c == '\n')
            c = ' ';
        text[out++] = c;
    }
    text.resize(out);
}

std::string_view sectionName(uint32_t section) { return section < kSectionCount ? kSectionNames[section] : ""; }
std::string_view sectionTitle(uint32_t section) { return section < kSectionCount ? kSectionTitles[section] : ""; }

const ProgramLine* Program::lineAt(uint32_t section, long n) const
{
    const auto& lines = sections[section].lines;
    if (n < 1)
        return &lines.front();
    return static_cast<size_t>(n) < lines.size() ? &lines[n] : nullptr;
}

uint32_t Program::insertBlankAfter(uint32_t section, long n)
{
    Section& s = sections[section];
    const size_t at = n < 0 ? 1 : std::min(static_cast<size_t>(n) + 1, s.lines.size());
    s.lines.insert(s.lines.begin() + static_cast<long>(at), ProgramLine{});
    edit.section = section;
    edit.target = static_cast<int32_t>(at);
    edit.type = 0;
    edit.text.clear();
    edit.block = ParamBlock();
    return static_cast<uint32_t>(at);
}

bool Program::saveLine(MessageHost& host, Buffer buffer)
{
    Section& s = sections[edit.section];
    if (edit.target >= static_cast<int64_t>(s.lines.size()))
        return false; // a target that is no line: nothing to replace
    if (edit.text.size() > kMaxLineText)
        edit.text.resize(kMaxLineText);
    if (holdsLineBreak(edit.text)) [[unlikely]]
        blankLineBreaks(edit.text);
    GetLineOffsets(edit.block, edit.type, host); // reports a type with no reference layout
    try {
        ProgramLine line{edit.type, {}, {}};
        if (buffer == Buffer::Take) {
            line.text = std::move(edit.text);
            line.block = std::move(edit.block);
            edit.text.clear();
            edit.block = ParamBlock();
        } else {
            line.text = edit.text;
            line.block = edit.block;
        }
        if (edit.target < 0)
            s.lines.push_back(std::move(line));
        else
            s.lines[static_cast<size_t>(edit.target)] = std::move(line);
    } catch (const std::bad_alloc&) {
        host.showNotice(kOutOfMemorySavingLine, Icon::Error);
        return false;
    }
    return true;
}

bool Program::deleteLine(uint32_t section, long n, MessageHost& host)
{
    Section& s = sections[section];
    if (n == 0) {
        host.showNotice(kDeletingFirstLine, Icon::Information);
        return false;
    }
    if (n < 0 || static_cast<size_t>(n) >= s.lines.size())
        return false;
    s.lines.erase(s.lines.begin() + n);
    return true;
}

void Program::newProgram()
{
    for (uint32_t sec = 0; sec < kSectionCount; ++sec) {
        Section& s = sections[sec];
        s = Section{};
        s.lines.push_back(ProgramLine{kComment, std::string(kSectionTitles[sec]), ParamBlock()});
    }
    edit = EditBuffer{};
    edit.section = kInitialise;
    edit.target = -1;
}

size_t Program::totalLines() const
{
    size_t n = 0;
    for (const Section& s : sections)
        n += s.lines.size();
    return n;
}

} // namespace qel
