#include "program_text/program_export.h"

#include "instructions/catalogue.h"
#include "program/block_levels.h"
#include "program/instruction_table.h"
#include "program/program_file.h"
#include "program_text/text_form.h"
#include "values/editor.h"

#include <algorithm>

namespace qel {

namespace {

using namespace text_form;

void writeLine(const ProgramLine& line, int level, std::string& out)
{
    const InstructionInfo* info = instructionInfo(line.type);
    if (line.type == kBlank || !info) {
        out += '\n';
        return;
    }
    for (int i = 0; i <= level; ++i)
        out += kIndent;
    if (!info->fixedText.empty()) {
        out += info->fixedText;
    } else {
        out += utf8OfLatin1(line.text);
        out += ' ';
        const InstructionEditor* editor = editorFor(line.type);
        std::vector<std::string> values = editor ? editor->decode(line) : std::vector<std::string>{};
        if (editor && displayCarriesTheField(*editor, line.text, values))
            values.clear();
        out += suffix(info->keyword, values);
    }
    out += '\n';
}

bool holdsAutoRun(const Program& program)
{
    return std::ranges::any_of(program.sections, [](const Section& s) {
        return std::ranges::any_of(s.lines, [](const ProgramLine& l) { return l.type == kAutoRun; });
    });
}

} // namespace

std::string exportLines(const Program& program, uint32_t section, size_t first, size_t last)
{
    const Section& s = program.sections[section];
    const std::vector<int> levels = blockLevels(s);
    std::string out(sectionName(section));
    out += '\n';
    for (size_t i = first; i <= last && i < s.lines.size(); ++i)
        writeLine(s.lines[i], levels[i], out);
    return out;
}

std::string exportProgram(const Program& program)
{
    std::string out(kCurrentVersion);
    out += holdsAutoRun(program) ? kAutoRunYes : kAutoRunNo;
    out += '\n';
    for (uint32_t s = 0; s < kSectionCount; ++s)
        out += exportLines(program, s, 0, program.sections[s].lines.size() - 1);
    return out;
}

} // namespace qel
