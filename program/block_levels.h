#pragma once
// Block levels: how far the program view, the printed listing and the text form indent each line.
// A block's opening line (If, For, While, DeclareFunction) indents the lines after it by one level;
// its closing line (EndIf, EndWhile, Next, EndFunction) stands one level out; Else does both.

#include "program/instruction_table.h"
#include "program/program.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qel {

// The change of level before a line of the type is shown: -1 for a closing line, else 0.
inline int levelChangeBefore(uint32_t type)
{
    switch (type) {
    case kEndIf:
    case kEndWhile:
    case kNext:
    case kEndFunction:
    case kElse: return -1;
    default: return 0;
    }
}

// The change of level after a line of the type is shown: 1 for an opening line, else 0.
inline int levelChangeAfter(uint32_t type)
{
    switch (type) {
    case kElse:
    case kIf:
    case kFor:
    case kWhile:
    case kDeclareFunction: return 1;
    default: return 0;
    }
}

// The level each line of a section is shown at, as the program view shows it: the running sum of
// the changes, a line below level 0 (a closing line without its opening) shown at level 0.
inline std::vector<int> blockLevels(const Section& section)
{
    std::vector<int> levels;
    levels.reserve(section.lines.size());
    int level = 0;
    for (const ProgramLine& line : section.lines) {
        level += levelChangeBefore(line.type);
        levels.push_back(std::max(0, level));
        level += levelChangeAfter(line.type);
    }
    return levels;
}

} // namespace qel
