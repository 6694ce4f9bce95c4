// If/Else/EndIf, While/EndWhile, For/Next, BreakOutOfLoop and Continue. A block is matched while it
// runs, through the section's stack and the forward scan of LineContext.

#include "instructions/flow/flow_handlers.h"

#include "instructions/flow/condition.h"
#include "instructions/flow/for_editor.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

namespace qel {

namespace {

bool inRange(float value, float end, float step) { return step >= 0 ? value <= end : value >= end; }

LineResult skipTo(LineContext& line, uint32_t target1, uint32_t target2)
{
    TRY(line.skipToCodeAfter(target1, target2));
    return Flow::Next;
}

// Pops the frame a closing line closes; the mismatch when it is not of that kind.
Result<StackFrame> popMatching(LineContext& line, uint32_t closing, uint32_t kind)
{
    CallStack& stack = line.stack();
    if (stack.isEmpty())
        return line.mismatch(closing, 0);
    const StackFrame f = stack.pop();
    if (f.kind != kind)
        return line.mismatch(closing, f.kind);
    return f;
}

// Leaves the innermost loop: Break ends it, Continue goes on to its next round.
LineResult leaveLoop(LineContext& line, bool continueLoop)
{
    CallStack& stack = line.stack();
    for (;;) {
        if (stack.isEmpty())
            return internalError(msg::kUnhandledLineType, "(Break)");
        const StackFrame f = stack.pop();
        switch (f.kind) {
        case kIf:
            if (TRY(line.skipToCodeAfter(kEndIf, kElse)) == kElse)
                stack.push(f); // popped again next round; the scan then runs on to the EndIf
            continue;
        case kFor:
            TRY(line.skipToCodeAfter(kNext, kNext));
            if (!continueLoop)
                return Flow::Next;
            stack.push(f);
            return executeNext(line);
        case kWhile:
            TRY(line.skipToCodeAfter(kEndWhile, kEndWhile));
            if (!continueLoop)
                return Flow::Next;
            stack.push(f);
            return executeEndWhile(line);
        default: return internalError(msg::kUnhandledLineType, "(Break)");
        }
    }
}

// Counters are 32-bit floats: past 2^24 adding 1 (or a small step) gives the same value, and a loop
// that would go on from there could never end. It stops at its Next line instead of spinning.
Failure counterStuck(LineCursor& cur, const LineCursor& nextLine, const CachedOperand& counter)
{
    cur = nextLine;
    return runError(msg::kCounterCannotChange, counter.operand.name);
}

} // namespace

LineResult executeIf(LineContext& line)
{
    const LineCursor at = line.cursor();
    if (TRY(evaluateCondition(line.eval(), line.block(), line.operands()))) {
        TRY(line.pushFrame({at, kIf}));
        return Flow::Next;
    }
    if (TRY(line.skipToCodeAfter(kEndIf, kElse)) == kElse)
        TRY(line.pushFrame({line.cursor(), kIf}));
    return Flow::Next;
}

LineResult executeElse(LineContext& line)
{
    TRY(popMatching(line, kElse, kIf));
    return skipTo(line, kEndIf, kEndIf);
}

LineResult executeEndIf(LineContext& line)
{
    TRY(popMatching(line, kEndIf, kIf));
    return Flow::Next;
}

LineResult executeWhile(LineContext& line)
{
    const LineCursor at = line.cursor();
    if (TRY(whileCondition(line.eval(), line.block(), line.operands()))) {
        TRY(line.pushFrame({at, kWhile}));
        return Flow::Next;
    }
    return skipTo(line, kEndWhile, kEndWhile);
}

LineResult executeEndWhile(LineContext& line)
{
    const StackFrame f = TRY(popMatching(line, kEndWhile, kWhile));
    line.cursor() = f.line; // the condition is tested again before every iteration
    return executeWhile(line);
}

LineResult executeFor(LineContext& line)
{
    using namespace for_block;
    const LineCursor at = line.cursor();
    auto ops = line.operands();
    EvalContext& ctx = line.eval();
    CachedOperand& counter = ops[kCounterSlot];
    const int kind = operandKind(ctx, counter);
    if (kind == kKindUndeclared || kind == kKindNumberLiteral || kind == kKindStringLiteral)
        return runError(msg::kUndeclaredReference, counter.operand.name);
    if (kind != kTypeInteger && kind != kTypeFloat)
        return runError(msg::kExpectingNumericVariable, counter.operand.name);
    const float start = TRY(evalNumber(ctx, ops[kStartSlot]));
    const float end = TRY(evalNumber(ctx, ops[kEndSlot]));
    float step = 0;
    if (line.block().u32(kStepGiven) == 1) {
        step = TRY(evalNumber(ctx, ops[kStepSlot]));
        if (step == 0)
            return runError(msg::kZeroStep);
    }
    if (!inRange(start, end, step))
        return skipTo(line, kNext, kNext);
    TRY(storeNumber(ctx, start, counter));
    TRY(line.pushFrame({at, kFor}));
    return Flow::Next;
}

LineResult executeNext(LineContext& line)
{
    using namespace for_block;
    CallStack& stack = line.stack();
    if (stack.isEmpty())
        return line.mismatch(kNext, 0);
    LineCursor& cur = line.cursor();
    const LineCursor nextLine = cur;
    const StackFrame& f = stack.peek();
    cur = f.line;
    if (f.kind != kFor)
        return line.mismatch(kNext, f.kind);
    const LineRun& forLine = line.lineAt(f.line);
    CachedOperand* ops = forLine.operands;
    // The common loop, kept free of calls: a counter already found, an end that is a number or a
    // found scalar, no Step. The same steps as below, with nothing left that can fail but the store.
    if (ops[kCounterSlot].cache.scalar && forLine.block->u32(kStepGiven) != 1) [[likely]] {
        const CachedOperand& endOperand = ops[kEndSlot];
        if (endOperand.cache.scalar || endOperand.operand.isNumberLiteral()) [[likely]] {
            const float end = endOperand.cache.scalar ? scalarValue(endOperand.cache) : endOperand.operand.number;
            const float value = scalarValue(ops[kCounterSlot].cache);
            const float next = value + 1;
            if (!storeScalar(ops[kCounterSlot].cache, next)) [[unlikely]]
                return integerOverflow();
            if (inRange(next, end, 0)) [[likely]] {
                if (next == value) [[unlikely]]
                    return counterStuck(cur, nextLine, ops[kCounterSlot]);
                return Flow::Next;
            }
            cur = nextLine;
            stack.pop();
            return Flow::Next;
        }
    }
    EvalContext& ctx = line.eval();
    const float value = TRY(evalNumber(ctx, ops[kCounterSlot]));
    const float end = TRY(evalNumber(ctx, ops[kEndSlot]));
    float step = 0, increment = 1;
    if (forLine.block->u32(kStepGiven) == 1) [[unlikely]] {
        step = TRY(evalNumber(ctx, ops[kStepSlot]));
        if (step == 0)
            return runError(msg::kZeroStep);
        increment = step;
    }
    const float next = value + increment;
    TRY(storeNumber(ctx, next, ops[kCounterSlot]));
    if (inRange(next, end, step)) [[likely]] {
        if (next == value) [[unlikely]]
            return counterStuck(cur, nextLine, ops[kCounterSlot]);
        return Flow::Next; // on with the loop body, after the For line
    }
    cur = nextLine;
    stack.pop();
    return Flow::Next;
}

LineResult executeBreak(LineContext& line) { return leaveLoop(line, false); }
LineResult executeContinue(LineContext& line) { return leaveLoop(line, true); }

} // namespace qel
