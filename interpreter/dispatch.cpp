#include "interpreter/dispatch.h"

#include "interpreter/line_context.h"
#include "messages/run_errors.h"

namespace qel {

DispatchTable::DispatchTable()
{
    for (uint32_t type = 0; type <= kLastLineType; ++type)
        rows_[type] = isValidLineType(type) ? notAvailableYet : corruptChain;
}

LineResult DispatchTable::corruptChain(LineContext&) { return internalError(msg::kCorruptChain); }

LineResult DispatchTable::notAvailableYet(LineContext& line)
{
    const InstructionInfo* info = instructionInfo(line.type());
    return runError(info ? info->keyword : "This instruction", msg::kNotAvailableYet);
}

} // namespace qel
