#pragma once
// A program written as text and built back from it is the same file, byte for byte. Lines a test
// made otherwise than through the editors (a display text or block of its own) are built back with
// the editors' texts instead, or refused when no dialog would take their fields; every line the
// editors built must come back as it was.

#include "examples/editor_builder.h"
#include "program/program_file.h"
#include "program_text/program_export.h"
#include "program_text/program_import.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qel::test {

// The program line the text's line `number` (counted from 1) stands for, if any.
inline const ProgramLine* lineOfText(const Program& program, size_t number)
{
    size_t at = 2; // the header, then the first section's name
    for (const Section& s : program.sections) {
        if (number > at && number <= at + s.lines.size())
            return &s.lines[number - at - 1];
        at += s.lines.size() + 1;
    }
    return nullptr;
}

inline void expectTextRoundTrip(const Program& program, const std::vector<ProgramLine>& built)
{
    const auto madeByEditors = [&](const ProgramLine& line) {
        return std::ranges::any_of(built, [&](const ProgramLine& l) {
            return l.type == line.type && l.text == line.text && l.block == line.block;
        });
    };
    const Result<std::vector<uint8_t>> original = storeProgram(program);
    if (!original)
        return; // not a program a file can hold: nothing to compare
    const std::string text = exportProgram(program);
    Program back;
    VariableTable variables;
    examples::KeptMessages host;
    if (const Status read = importProgram(text, back, variables, host); !read) {
        const std::string& why = read.failureText();
        const ProgramLine* line = lineOfText(program, std::stoul(why.substr(why.find(' ') + 1)));
        EXPECT_TRUE(line && !madeByEditors(*line)) << "the program as text does not build back: " << why << "\n"
                                                   << text;
        return;
    }
    if (storeProgram(back).value() == original.value())
        return;
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        const std::vector<ProgramLine>& was = program.sections[s].lines;
        const std::vector<ProgramLine>& now = back.sections[s].lines;
        ASSERT_EQ(was.size(), now.size()) << sectionName(s) << "\n" << text;
        for (size_t i = 0; i < was.size(); ++i) {
            const ProgramLine& w = was[i];
            if (now[i].type != w.type || now[i].text != w.text || now[i].block != w.block) {
                EXPECT_FALSE(madeByEditors(w)) << "a line the editors built came back otherwise: " << sectionName(s)
                                               << " " << i << ": " << was[i].text << " -> " << now[i].text << "\n"
                                               << text;
            }
        }
    }
}

} // namespace qel::test
