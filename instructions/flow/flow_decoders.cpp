// The block instructions decoded for the run loop (decoded_line.h): While and a one-comparison If
// of numbers, with the lines their skips land on; EndWhile, Else and EndIf; Next with the For
// line's counter, end and step.

#include "instructions/flow/condition.h"
#include "instructions/flow/flow_handlers.h"
#include "instructions/flow/for_editor.h"
#include "interpreter/decoded_line.h"

namespace qel {

namespace {

using Kind = DecodedLine::Kind;

bool isVariable(const std::optional<NumberSlot>& n) { return n && n->isVariable(); }

// left <code> right with a relational code: what a decoded While or If tests.
bool decodeTest(const DecodeContext& line, size_t left, size_t right, uint32_t code, DecodedLine& out)
{
    const std::optional<NumberSlot> a = line.number(left);
    const std::optional<NumberSlot> b = line.number(right);
    if (!isVariable(a) || !b || code < kLessThan || code > kNotEqual)
        return false;
    out.slots[0] = *a;
    out.slots[1] = *b;
    out.comparison = static_cast<uint8_t>(code);
    return true;
}

} // namespace

bool decodeWhile(const DecodeContext& line, DecodedLine& out)
{
    using namespace while_block;
    if (line.operandCount() < kSlots || !decodeTest(line, kLeftSlot, kRightSlot, line.block().u32(kCode), out))
        return false;
    out.kind = Kind::While;
    out.jump = line.matchForward(kEndWhile, kEndWhile).value_or(kNoJump);
    return true;
}

bool decodeIf(const DecodeContext& line, DecodedLine& out)
{
    using namespace if_block;
    const ParamBlock& block = line.block();
    if (line.operandCount() < kSlots || block.u32(logicalOperator(0)) != kNoLogical ||
        !decodeTest(line, leftSlot(0), rightSlot(0), block.u32(comparisonCode(0)), out))
        return false;
    out.kind = Kind::If;
    if (const std::optional<uint32_t> jump = line.matchForward(kEndIf, kElse)) {
        out.jump = *jump;
        out.elseFound = line.typeAt(*jump) == kElse;
    }
    return true;
}

bool decodeElse(const DecodeContext& line, DecodedLine& out)
{
    const std::optional<uint32_t> jump = line.matchForward(kEndIf, kEndIf);
    if (!jump)
        return false;
    out.kind = Kind::Else;
    out.jump = *jump;
    return true;
}

bool decodeEndIf(const DecodeContext&, DecodedLine& out)
{
    out.kind = Kind::EndIf;
    return true;
}

bool decodeEndWhile(const DecodeContext&, DecodedLine& out)
{
    out.kind = Kind::EndWhile;
    return true;
}

// The For line itself runs its handler; what it decodes is what its Next reads.
bool decodeFor(const DecodeContext& line, DecodedLine& out)
{
    using namespace for_block;
    const std::optional<NumberSlot> counter = line.number(kCounterSlot);
    const std::optional<NumberSlot> end = line.number(kEndSlot);
    const bool stepGiven = line.block().u32(kStepGiven) == 1;
    const std::optional<NumberSlot> step = stepGiven ? line.number(kStepSlot) : NumberSlot{};
    if (!isVariable(counter) || !end || !step)
        return false;
    out.kind = Kind::ForLoop;
    out.stepGiven = stepGiven;
    out.slots[0] = *counter;
    out.slots[2] = *end;
    out.slots[3] = *step;
    out.jump = line.matchForward(kNext, kNext).value_or(kNoJump);
    return true;
}

bool decodeNext(const DecodeContext&, DecodedLine& out)
{
    out.kind = Kind::Next;
    return true;
}

} // namespace qel
