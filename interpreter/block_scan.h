#pragma once
// The forward scan that matches blocks: from a line, the next line of either of two types at the
// same depth of If, While and For blocks. The run's skips (LineContext::skipToCodeAfter) and the
// jumps of decoded lines both come from it.

#include "program/program.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

struct BlockScan {
    uint32_t index = 0;         // where the scan stopped: the line found, or the one that ended it
    uint32_t type = 0;          // the type found
    std::string_view failure{}; // empty when found; else the message, completed by the target's name
};

// The name a scan's failure is completed by: "EndIf", "EndWhile", "Next" or "Else".
std::string_view blockTargetName(uint32_t type);

// "Found an EndWhile matched to an If.": a closing line (or Return) met a frame of another kind
// (a frame kind is the opening line's type, kCallFrame for a call, 0 for none).
std::string mismatchText(uint32_t found, uint32_t opened);

BlockScan scanToCodeAfter(const std::vector<ProgramLine>& lines, uint32_t from, uint32_t target1, uint32_t target2);

} // namespace qel
