#include "bench/program_generator.h"

#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "program/program_file.h"

#include <string>

namespace qel::bench {

namespace {

// A block with `slots` operand slots from `base`, each naming a variable, the way editors lay them out.
ParamBlock operandBlock(uint32_t base, uint32_t slots, uint32_t extra, int seed)
{
    BlockWriter w(base - 4 + slots * kOperandSize + extra);
    for (uint32_t j = 0; j < slots; ++j) {
        uint32_t slot = base + j * kOperandSize;
        if ((seed + j) % 3 == 0) {
            w.setF32(slot + 8, static_cast<float>(seed % 640));
            w.setU32(slot + 12, 1);
        } else {
            w.setU32(slot, w.addText("Variable" + std::to_string((seed + j) % 50)));
            w.setU32(slot + 12, 1);
        }
    }
    return w.finish();
}

} // namespace

std::vector<uint8_t> makeProgramFile(size_t lines)
{
    Program program;
    for (size_t i = 0; i < lines - kSectionCount; ++i) {
        int seed = static_cast<int>(i);
        ProgramLine line;
        switch (i % 6) {
        case 0: line = {kLet, "Let Variable1 = Variable2 + 3", operandBlock(8, 4, 0, seed)}; break;
        case 1: line = {kDrawLine, "DrawLine 10,10,Variable3,Variable4 Red", operandBlock(4, 4, 8, seed)}; break;
        case 2: line = {kIf, "If Variable1 > 5 And Variable2 < 3", operandBlock(4, 6, 12, seed)}; break;
        case 3: line = {kComment, "A comment that explains what the next lines do", ParamBlock()}; break;
        case 4: line = {kCall, "Call DrawThing (Variable1, 2)", operandBlock(4, 5, 12, seed)}; break;
        default: line = {kEndIf, "EndIf", ParamBlock()}; break;
        }
        program.sections[i % kSectionCount].lines.push_back(std::move(line));
    }
    return storeProgram(program).value();
}

} // namespace qel::bench
