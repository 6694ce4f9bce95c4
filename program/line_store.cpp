#include "program/instruction_table.h"
#include "program/program.h"
#include "program/references.h"

#include <new>

namespace qel {

namespace {

constexpr std::string_view kSectionNames[] = {"Initialise", "Paint", "Keyboard", "Timer", "Mouse"};
constexpr std::string_view kSectionTitles[] = {"Initialisation", "Paint event", "Keyboard handler", "Timer event",
                                               "Mouse handler"};

void copyOut(const ProgramLine& line, std::string* text, ParamBlock* block, uint32_t* type)
{
    if (text)
        *text = line.text;
    if (block)
        *block = line.block;
    if (type)
        *type = line.type;
}

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

bool Program::goToLine(uint32_t section, long n, std::string* text, ParamBlock* block, uint32_t* type)
{
    Section& s = sections[section];
    size_t index = n < 1 ? 0 : static_cast<size_t>(n);
    if (index >= s.lines.size())
        return false;
    s.walk = index;
    copyOut(s.lines[index], text, block, type);
    return true;
}

bool Program::nextLine(uint32_t section, std::string* text, ParamBlock* block, uint32_t* type)
{
    Section& s = sections[section];
    if (s.walk + 1 >= s.lines.size())
        return false;
    ++s.walk;
    copyOut(s.lines[s.walk], text, block, type);
    return true;
}

void Program::goToLastLine(uint32_t section) { sections[section].walk = sections[section].lines.size() - 1; }

void Program::insertBlankAfter(long n)
{
    Section& s = current();
    size_t at = n < 0 ? 1 : std::min(static_cast<size_t>(n) + 1, s.lines.size());
    s.lines.insert(s.lines.begin() + static_cast<long>(at), ProgramLine{});
    s.walk = at;
    edit.target = static_cast<int32_t>(at);
    edit.type = 0;
    edit.text.clear();
    edit.block = ParamBlock();
}

bool Program::saveLine(MessageHost& host, Buffer buffer)
{
    Section& s = current();
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
        if (edit.target == -1) {
            s.lines.push_back(std::move(line));
            s.walk = s.lines.size() - 1;
        } else {
            s.lines[s.walk] = std::move(line);
        }
    } catch (const std::bad_alloc&) {
        host.showMessage(kOutOfMemorySavingLine, Icon::Error);
        return false;
    }
    return true;
}

bool Program::deleteLine(long n, MessageHost& host)
{
    Section& s = current();
    if (n == 0) {
        host.showMessage(kDeletingFirstLine, Icon::Information);
        return false;
    }
    if (n < 0 || static_cast<size_t>(n) >= s.lines.size())
        return false;
    s.lines.erase(s.lines.begin() + n);
    if (s.walk >= s.lines.size())
        s.walk = s.lines.size() - 1;
    return true;
}

std::pair<uint32_t, long> Program::findLine(const ProgramLine* line)
{
    for (uint32_t sec = 0; sec < kSectionCount; ++sec) {
        const auto& lines = sections[sec].lines;
        if (line >= lines.data() && line < lines.data() + lines.size()) {
            edit.section = sec;
            return {sec, static_cast<long>(line - lines.data())};
        }
    }
    return {edit.section, 0};
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
