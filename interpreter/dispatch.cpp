#include "interpreter/dispatch.h"

#include "interpreter/interpreter.h"

namespace qel {

DispatchTable::DispatchTable()
{
    for (uint32_t type = 0; type <= kLastLineType; ++type)
        rows_[type] = isValidLineType(type) ? notAvailableYet : corruptChain;
}

Outcome DispatchTable::corruptChain(Interpreter& in, uint32_t)
{
    in.eval.internalError("Corrupt instruction chain.");
    return Outcome::Fail;
}

Outcome DispatchTable::notAvailableYet(Interpreter& in, uint32_t s)
{
    const InstructionInfo* info = instructionInfo(in.lineAt(in.cursor(s)).type);
    return in.fail(std::string(info ? info->keyword : "This instruction") + " is not available yet.");
}

} // namespace qel
