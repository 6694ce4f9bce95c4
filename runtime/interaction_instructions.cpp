#include "runtime/interaction_instructions.h"

#include "interpreter/interpreter.h"
#include "program/references.h"
#include "runtime/draw_target.h"
#include "runtime/string_instructions.h"
#include "values/evaluate.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace qel {

using namespace interaction_block;

namespace {

constexpr size_t slotIndex(uint32_t offset) { return (offset - 4) / kOperandSize; }

// A text as the message and input boxes take it: up to its first NUL, and no longer than max.
std::string boxText(std::string_view text, size_t max)
{
    text = text.substr(0, std::min(text.find('\0'), max));
    return std::string(text);
}

// MessageBox's message: a string constant, or a String or numeric variable (numbers as FormatNumber
// shows them, Integers too).
bool messageText(Interpreter& in, CachedOperand& op, std::string& out)
{
    if (op.operand.isStringLiteral()) {
        out = boxText(op.operand.text, kMaxMessageLength);
        return true;
    }
    if (op.operand.isNumberLiteral()) { // no dialog stores one; shown as a number would be
        out = boxText(in.eval.formatNumber(op.operand.number), kMaxMessageLength);
        return true;
    }
    VariableRecord* v = nullptr;
    const int kind = operandKind(in.eval, op, &v);
    if (kind == kKindUndeclared || !v)
        return in.eval.runError(kReferenceToUndeclared, op.operand.name);
    if (v->isNumeric()) {
        float value = 0.0f;
        if (!evalNumber(in.eval, op, value))
            return false;
        out = boxText(in.eval.formatNumber(value), kMaxMessageLength);
        return true;
    }
    if (kind != kTypeString)
        return in.eval.runError(kExpectingNumericOrString, op.operand.name);
    std::string_view text;
    if (!evalString(in.eval, op, text))
        return in.eval.runError(kUnableToEvaluateString, op.operand.name);
    out = boxText(text, kMaxMessageLength);
    return true;
}

// InputBox's prompt: a string constant or a String variable.
bool promptText(Interpreter& in, CachedOperand& op, std::string& out)
{
    if (op.operand.isStringLiteral()) {
        out = boxText(op.operand.text, kMaxMessageLength);
        return true;
    }
    const int kind = operandKind(in.eval, op);
    if (kind == kKindUndeclared)
        return in.eval.runError(kReferenceToUndeclared, op.operand.name);
    if (kind != kTypeString) // a number, or a variable of another type
        return in.eval.runError(kExpectingStringNotNonString, op.operand.name);
    std::string_view text;
    if (!evalString(in.eval, op, text))
        return in.eval.runError(kUnableToEvaluateString, op.operand.name);
    out = boxText(text, kMaxMessageLength);
    return true;
}

Outcome executeMessageBox(Interpreter& in, uint32_t s)
{
    const ParamBlock& block = in.blockAt(in.cursor(s));
    const Buttons buttons = messageButtons(block.u32(kButtons));
    const Icon icon = messageIcon(block.u32(kIcon));
    auto ops = in.operandsAt(in.cursor(s));
    CachedOperand& result = ops[slotIndex(kResult)];
    std::string text;
    if (!messageText(in, ops[slotIndex(kMessage)], text))
        return Outcome::Fail;
    const bool wantsResult = !result.operand.isNumberLiteral(); // an empty field stores nothing
    if (wantsResult) {
        VariableRecord* v = nullptr;
        if (operandKind(in.eval, result, &v) >= kKindUndeclared || !v || !v->isNumeric())
            return in.fail(kExpectingNumericVariable, result.operand.name);
    }
    // The box is modal: events may run nested while it is open, so nothing read before it is kept
    // as a view.
    const Button pressed = in.host.showMessage(text, icon, buttons);
    if (wantsResult && !storeNumber(in.eval, static_cast<float>(static_cast<int>(pressed)), result))
        return Outcome::Fail;
    return Outcome::Next;
}

Outcome executeInputBox(Interpreter& in, uint32_t s)
{
    auto ops = in.operandsAt(in.cursor(s));
    CachedOperand& reply = ops[slotIndex(kReply)];
    std::string prompt;
    if (!promptText(in, ops[slotIndex(kPrompt)], prompt))
        return Outcome::Fail;
    const int kind = operandKind(in.eval, reply);
    if (kind == kKindUndeclared)
        return in.fail(kReferenceToUndeclared, reply.operand.name);
    if (kind < kKindUndeclared && kind != kTypeString)
        return in.fail(kExpectingStringNotNonString, reply.operand.name);
    // A literal where the variable belongs is refused by the store below.
    const std::optional<std::string> answer = in.host.inputBox(prompt, kInputBoxTitle);
    const std::string_view text = answer ? std::string_view(*answer).substr(0, kMaxReplyLength) : std::string_view();
    return storeText(in.eval, text, {}, {}, reply) ? Outcome::Next : Outcome::Fail;
}

Outcome executePause(Interpreter& in, uint32_t s)
{
    auto ops = in.operandsAt(in.cursor(s));
    float duration = 0.0f;
    if (!evalNumber(in.eval, ops[slotIndex(kDuration)], duration) ||
        !checkRange(in.eval, duration, 0.0f, 10000.0f, "Duration"))
        return Outcome::Fail;
    // The whole thread waits: no window messages, no repaint, input queues up.
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(duration)));
    in.iterations = kPumpInterval - 1; // the loop pumps the waiting messages right after this line
    return Outcome::Next;
}

Outcome executeTimerStart(Interpreter& in, uint32_t s)
{
    DrawTarget* target = in.drawTarget;
    if (!target)
        return Outcome::Next; // no run-time window for the ticks to draw into
    DrawState& state = target->state();
    if (state.timerId != 0)
        return in.fail(kTimerAlreadyStarted);
    // Intervals outside 1 to 1000 come only from damaged files; the period stays one the window
    // system takes.
    const uint64_t hundredths = in.blockAt(in.cursor(s)).u32(kInterval);
    const uint64_t period = std::clamp<uint64_t>(hundredths * 10, 10, kMaxTimerPeriodMs);
    if (!in.host.startTimer(static_cast<uint32_t>(period))) {
        return in.windowsCallFailed(kTimerRefused);
    }
    state.timerId = kProgramTimerId;
    return Outcome::Next;
}

Outcome executeTimerStop(Interpreter& in, uint32_t)
{
    if (in.drawTarget)
        releaseProgramTimer(in.host, in.drawTarget->state());
    return Outcome::Next;
}

} // namespace

Buttons messageButtons(uint32_t code)
{
    switch (code) {
    case kButtonsOkCancel: return Buttons::OkCancel;
    case kButtonsYesNoCancel: return Buttons::YesNoCancel;
    case kButtonsYesNo: return Buttons::YesNo;
    case kButtonsRetryCancel: return Buttons::RetryCancel;
    default: return Buttons::Ok;
    }
}

Icon messageIcon(uint32_t code)
{
    switch (code) {
    case kIconStop: return Icon::Error;
    case kIconQuestion: return Icon::Question;
    case kIconExclamation: return Icon::Exclamation;
    case kIconInformation: return Icon::Information;
    default: return Icon::None;
    }
}

void releaseProgramTimer(RunHost& host, DrawState& state)
{
    if (state.timerId == 0)
        return;
    host.stopTimer();
    state.timerId = 0;
}

void registerInteractionHandlers(DispatchTable& table)
{
    table.set(kMessageBox, executeMessageBox);
    table.set(kInputBox, executeInputBox);
    table.set(kPause, executePause);
    table.set(kTimerStart, executeTimerStart);
    table.set(kTimerStop, executeTimerStop);
}

} // namespace qel
