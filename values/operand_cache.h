#pragma once
// The run's operands, beside the stored blocks: for every line of every section, each operand slot
// of its type decoded once, with the cache of the variables it names. The run-start reset rebuilds
// the table, so no cache survives from one run into the next; the blocks are never written.
//
// The decoded operands view the program's blocks: the table is valid while the program is not
// edited, which holds for the length of a run.

#include "program/program.h"
#include "values/evaluate.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qel {

class OperandCacheTable {
public:
    // Walks every line of the five sections by type code. A code without an instruction stops the
    // walk with the internal error text (and leaves the table empty); the run must not start.
    std::optional<std::string> reset(const Program& program);

    // The operands of one line, in slot order (empty for types without operand slots).
    std::span<CachedOperand> lineOperands(uint32_t section, size_t line)
    {
        const std::vector<uint32_t>& start = lineStart_[section];
        return std::span(operands_).subspan(start[line], start[line + 1] - start[line]);
    }
    CachedOperand& at(uint32_t section, size_t line, size_t slot)
    {
        return operands_[lineStart_[section][line] + slot];
    }

    size_t lineCount(uint32_t section) const
    {
        return lineStart_[section].empty() ? 0 : lineStart_[section].size() - 1;
    }
    void clear();

private:
    // Per section, the index of each line's first operand, and one past the last line's.
    std::array<std::vector<uint32_t>, kSectionCount> lineStart_;
    std::vector<CachedOperand> operands_;
};

} // namespace qel
