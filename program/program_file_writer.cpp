#include "program/instruction_table.h"
#include "program/program_file.h"

#include <cstring>
#include <string>

namespace qel {

namespace {

void putU32(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t b[4];
    std::memcpy(b, &value, 4);
    out.insert(out.end(), b, b + 4);
}

void putText(std::vector<uint8_t>& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0x0A);
}

} // namespace

Result<std::vector<uint8_t>> storeProgram(const Program& program)
{
    size_t size = kCurrentVersion.size() + 1;
    for (uint32_t section = 0; section < kSectionCount; ++section) {
        const std::vector<ProgramLine>& lines = program.sections[section].lines;
        for (const ProgramLine& line : lines)
            size += 4 + line.text.size() + 1 + line.block.bytes().size();
    }
    std::vector<uint8_t> out;
    out.reserve(size + kSectionCount * 8);

    putText(out, kCurrentVersion);
    for (uint32_t section = 0; section < kSectionCount; ++section) {
        putU32(out, section);
        const std::vector<ProgramLine>& lines = program.sections[section].lines;
        for (size_t n = 0; n < lines.size(); ++n) {
            const ProgramLine& line = lines[n];
            // The break would end the text early and the rest would be read as the line's block.
            // Looked for here, where the text is about to be copied, rather than in a pass of its own.
            if (holdsLineBreak(line.text))
                return Failure(std::string(kLineBreakInLine) + std::to_string(n) + " of the " +
                               std::string(sectionName(section)) + " section");
            putU32(out, line.type);
            putText(out, line.text);
            auto bytes = line.block.bytes(); // the length word, then the body, offsets as stored
            out.insert(out.end(), bytes.begin(), bytes.end());
        }
        putU32(out, kSectionEndMarker);
    }
    return out;
}

} // namespace qel
