#include "values/operand_cache.h"

#include "messages/run_errors.h"

namespace qel {

void OperandCacheTable::clear()
{
    for (auto& start : lineStart_)
        start.clear();
    operands_.clear();
}

std::optional<std::string> OperandCacheTable::reset(const Program& program)
{
    clear();
    std::vector<uint32_t> slots;
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        std::vector<uint32_t>& start = lineStart_[s];
        start.reserve(program.sections[s].lines.size() + 1);
        for (const ProgramLine& line : program.sections[s].lines) {
            start.push_back(static_cast<uint32_t>(operands_.size()));
            slots.clear();
            if (!operandSlotOffsets(line.type, slots)) {
                clear();
                return std::string(msg::kInternalError) + std::string(msg::kFailedCacheReset) +
                       std::string(msg::kFailedCacheResetWhere);
            }
            for (uint32_t offset : slots)
                operands_.push_back(CachedOperand{readOperand(line.block, offset), OperandCache{}});
        }
        start.push_back(static_cast<uint32_t>(operands_.size()));
    }
    return std::nullopt;
}

} // namespace qel
