#include "interpreter/control_flow.h"

#include "interpreter/interpreter.h"
#include "values/condition.h"
#include "values/evaluate.h"
#include "values/for_editor.h"
#include "values/variable_table.h"

namespace qel {

namespace {

constexpr std::string_view kStackOverflow = "User application stack overflow";

std::string_view targetName(uint32_t type)
{
    switch (type) {
    case kEndIf: return "EndIf";
    case kEndWhile: return "EndWhile";
    case kNext: return "Next";
    case kElse: return "Else";
    }
    return "";
}

std::string_view foundPhrase(uint32_t type)
{
    switch (type) {
    case kEndIf: return "an EndIf";
    case kEndWhile: return "an EndWhile";
    case kNext: return "a Next";
    case kReturn: return "a Return";
    case kEndFunction: return "an EndFunction";
    case kElse: return "an Else";
    }
    return "nothing";
}

std::string_view framePhrase(uint32_t kind)
{
    switch (kind) {
    case kCallFrame: return "a Call";
    case kIf: return "an If.";
    case kFor: return "a For.";
    case kWhile: return "a While";
    }
    return "nothing";
}

bool inRange(float value, float end, float step) { return step >= 0 ? value <= end : value >= end; }

Outcome skipOrFail(Interpreter& in, uint32_t target1, uint32_t target2, uint32_t s)
{
    return skipToCodeAfter(in, target1, target2, s) ? Outcome::Next : Outcome::Fail;
}

Outcome executeIf(Interpreter& in, uint32_t s)
{
    const LineCursor line = in.cursor(s);
    std::optional<bool> holds = evaluateCondition(in.eval, in.blockAt(line), in.operandsAt(line));
    if (!holds)
        return Outcome::Fail;
    if (*holds)
        return pushFrame(in, s, {line, kIf}) ? Outcome::Next : Outcome::Fail;
    std::optional<uint32_t> found = skipToCodeAfter(in, kEndIf, kElse, s);
    if (!found)
        return Outcome::Fail;
    if (*found == kElse && !pushFrame(in, s, {in.cursor(s), kIf}))
        return Outcome::Fail;
    return Outcome::Next;
}

// Pops the frame a closing line closes; fails with the mismatch when it is not of that kind.
std::optional<StackFrame> popMatching(Interpreter& in, uint32_t s, uint32_t closing, uint32_t kind)
{
    CallStack& stack = in.callStacks[s];
    if (stack.isEmpty()) {
        reportMismatch(in, closing, 0);
        return std::nullopt;
    }
    StackFrame f = stack.pop();
    if (f.kind != kind) {
        reportMismatch(in, closing, f.kind);
        return std::nullopt;
    }
    return f;
}

Outcome executeElse(Interpreter& in, uint32_t s)
{
    if (!popMatching(in, s, kElse, kIf))
        return Outcome::Fail;
    return skipOrFail(in, kEndIf, kEndIf, s);
}

Outcome executeEndIf(Interpreter& in, uint32_t s)
{
    return popMatching(in, s, kEndIf, kIf) ? Outcome::Next : Outcome::Fail;
}

Outcome executeWhile(Interpreter& in, uint32_t s)
{
    const LineCursor line = in.cursor(s);
    std::optional<bool> holds = whileCondition(in.eval, in.blockAt(line), in.operandsAt(line));
    if (!holds)
        return Outcome::Fail;
    if (*holds)
        return pushFrame(in, s, {line, kWhile}) ? Outcome::Next : Outcome::Fail;
    return skipOrFail(in, kEndWhile, kEndWhile, s);
}

Outcome executeEndWhile(Interpreter& in, uint32_t s)
{
    std::optional<StackFrame> f = popMatching(in, s, kEndWhile, kWhile);
    if (!f)
        return Outcome::Fail;
    in.cursor(s) = f->line; // the condition is tested again before every iteration
    return executeWhile(in, s);
}

Outcome executeFor(Interpreter& in, uint32_t s)
{
    using namespace for_block;
    const LineCursor line = in.cursor(s);
    auto ops = in.operandsAt(line);
    CachedOperand& counter = ops[kCounterSlot];
    int kind = operandKind(in.eval, counter);
    if (kind == kKindUndeclared || kind == kKindNumberLiteral || kind == kKindStringLiteral)
        return in.fail("Reference to undeclared variable - ", counter.operand.name);
    if (kind != kTypeInteger && kind != kTypeFloat)
        return in.fail("Expecting numeric variable but found non numeric variable - ", counter.operand.name);
    float start, end, step = 0;
    if (!evalNumber(in.eval, ops[kStartSlot], start) || !evalNumber(in.eval, ops[kEndSlot], end))
        return Outcome::Fail;
    if (in.blockAt(line).u32(kStepGiven) == 1) {
        if (!evalNumber(in.eval, ops[kStepSlot], step))
            return Outcome::Fail;
        if (step == 0)
            return in.fail("Zero value for Step is not permitted.");
    }
    if (!inRange(start, end, step))
        return skipOrFail(in, kNext, kNext, s);
    if (!storeNumber(in.eval, start, counter))
        return Outcome::Fail;
    return pushFrame(in, s, {line, kFor}) ? Outcome::Next : Outcome::Fail;
}

Outcome executeNext(Interpreter& in, uint32_t s)
{
    using namespace for_block;
    CallStack& stack = in.callStacks[s];
    if (stack.isEmpty())
        return reportMismatch(in, kNext, 0);
    LineCursor& cur = in.cursor(s);
    const LineCursor nextLine = cur;
    const StackFrame& f = stack.peek();
    cur = f.line;
    if (f.kind != kFor)
        return reportMismatch(in, kNext, f.kind);
    const Interpreter::LineRun& forLine = in.runAt(f.line);
    CachedOperand* ops = forLine.operands;
    float value, end, step = 0, increment = 1;
    if (!evalNumber(in.eval, ops[kCounterSlot], value) || !evalNumber(in.eval, ops[kEndSlot], end))
        return Outcome::Fail;
    if (forLine.block->u32(kStepGiven) == 1) [[unlikely]] {
        if (!evalNumber(in.eval, ops[kStepSlot], step))
            return Outcome::Fail;
        if (step == 0)
            return in.fail("Zero value for Step is not permitted.");
        increment = step;
    }
    const float next = value + increment;
    if (!storeNumber(in.eval, next, ops[kCounterSlot]))
        return Outcome::Fail;
    if (inRange(next, end, step)) [[likely]]
        return Outcome::Next; // on with the loop body, after the For line
    cur = nextLine;
    stack.pop();
    return Outcome::Next;
}

// Leaves the innermost loop: Break ends it, Continue goes on to its next round.
Outcome leaveLoop(Interpreter& in, uint32_t s, bool continueLoop)
{
    CallStack& stack = in.callStacks[s];
    for (;;) {
        if (stack.isEmpty()) {
            in.eval.internalError("Unhandled line type.", "(Break)");
            return Outcome::Fail;
        }
        StackFrame f = stack.pop();
        switch (f.kind) {
        case kIf: {
            std::optional<uint32_t> found = skipToCodeAfter(in, kEndIf, kElse, s);
            if (!found)
                return Outcome::Fail;
            if (*found == kElse)
                stack.push(f); // popped again next round; the scan then runs on to the EndIf
            continue;
        }
        case kFor:
            if (!skipToCodeAfter(in, kNext, kNext, s))
                return Outcome::Fail;
            if (!continueLoop)
                return Outcome::Next;
            stack.push(f);
            return executeNext(in, s);
        case kWhile:
            if (!skipToCodeAfter(in, kEndWhile, kEndWhile, s))
                return Outcome::Fail;
            if (!continueLoop)
                return Outcome::Next;
            stack.push(f);
            return executeEndWhile(in, s);
        default: in.eval.internalError("Unhandled line type.", "(Break)"); return Outcome::Fail;
        }
    }
}

Outcome executeBreak(Interpreter& in, uint32_t s) { return leaveLoop(in, s, false); }
Outcome executeContinue(Interpreter& in, uint32_t s) { return leaveLoop(in, s, true); }

} // namespace

std::optional<uint32_t> skipToCodeAfter(Interpreter& in, uint32_t target1, uint32_t target2, uint32_t s)
{
    LineCursor& cur = in.cursor(s);
    const auto& lines = in.program.sections[cur.section].lines;
    int ifDepth = 0, whileDepth = 0, forDepth = 0, total = 0;
    const auto failWith = [&](std::string_view message) -> std::optional<uint32_t> {
        in.eval.runError(message, targetName(target1));
        return std::nullopt;
    };
    // The scan moves the current line as it goes, so a failure stops the run where the scan stopped.
    while (cur.index + 1 < lines.size()) {
        ++cur.index;
        uint32_t type = lines[cur.index].type;
        if ((type == target1 || type == target2) && total == 0) {
            if (forDepth != 0)
                return failWith("For - Next loop split.");
            if (whileDepth != 0)
                return failWith("While - EndWhile loop split.");
            if (ifDepth != 0)
                return failWith("If - EndIf split.");
            return type;
        }
        switch (type) {
        case kIf: ++ifDepth, ++total; break;
        case kEndIf: --ifDepth, --total; break;
        case kWhile: ++whileDepth, ++total; break;
        case kEndWhile: --whileDepth, --total; break;
        case kFor: ++forDepth, ++total; break;
        case kNext: --forDepth, --total; break;
        case kDeclareFunction: return failWith("Found a Function before matching ");
        case kEndFunction: return failWith("Found an End Function before matching ");
        default: break;
        }
    }
    return failWith("Could not find matching ");
}

Outcome reportMismatch(Interpreter& in, uint32_t found, uint32_t opened)
{
    return in.fail("Found " + std::string(foundPhrase(found)) + " matched to " + std::string(framePhrase(opened)));
}

bool pushFrame(Interpreter& in, uint32_t s, const StackFrame& frame)
{
    if (in.callStacks[s].push(frame))
        return true;
    in.eval.runError(kStackOverflow);
    return false;
}

void registerControlFlowHandlers(DispatchTable& table)
{
    table.set(kIf, executeIf);
    table.set(kElse, executeElse);
    table.set(kEndIf, executeEndIf);
    table.set(kWhile, executeWhile);
    table.set(kEndWhile, executeEndWhile);
    table.set(kFor, executeFor);
    table.set(kNext, executeNext);
    table.set(kBreakOutOfLoop, executeBreak);
    table.set(kContinue, executeContinue);
}

} // namespace qel
