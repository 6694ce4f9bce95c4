#include "instructions/interaction/interaction_instructions.h"

#include "instructions/families.h"
#include "instructions/interaction/interaction_editors.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "program/references.h"
#include "values/evaluate.h"

#include <algorithm>
#include <chrono>

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
Result<std::string> messageText(EvalContext& ctx, CachedOperand& op)
{
    if (op.operand.isStringLiteral())
        return boxText(op.operand.text, kMaxMessageLength);
    if (op.operand.isNumberLiteral()) // no dialog stores one; shown as a number would be
        return boxText(ctx.formatNumber(op.operand.number), kMaxMessageLength);
    VariableRecord* v = nullptr;
    const int kind = operandKind(ctx, op, &v);
    if (kind == kKindUndeclared || !v)
        return runError(msg::kUndeclaredReference, op.operand.name);
    if (v->isNumeric())
        return boxText(ctx.formatNumber(TRY(evalNumber(ctx, op))), kMaxMessageLength);
    if (kind != kTypeString)
        return runError(msg::kExpectingNumericOrString, op.operand.name);
    const Result<std::string_view> text = evalString(ctx, op);
    if (!text)
        return runError(msg::kUnableToEvaluateString, op.operand.name);
    return boxText(*text, kMaxMessageLength);
}

// InputBox's prompt: a string constant or a String variable.
Result<std::string> promptText(EvalContext& ctx, CachedOperand& op)
{
    if (op.operand.isStringLiteral())
        return boxText(op.operand.text, kMaxMessageLength);
    const int kind = operandKind(ctx, op);
    if (kind == kKindUndeclared)
        return runError(msg::kUndeclaredReference, op.operand.name);
    if (kind != kTypeString) // a number, or a variable of another type
        return runError(msg::kExpectingStringFoundNonString, op.operand.name);
    const Result<std::string_view> text = evalString(ctx, op);
    if (!text)
        return runError(msg::kUnableToEvaluateString, op.operand.name);
    return boxText(*text, kMaxMessageLength);
}

LineResult executeMessageBox(LineContext& line)
{
    EvalContext& ctx = line.eval();
    const ParamBlock& block = line.block();
    const Buttons buttons = messageButtons(block.u32(kButtons));
    const Icon icon = messageIcon(block.u32(kIcon));
    auto ops = line.operands();
    CachedOperand& result = ops[slotIndex(kResult)];
    const std::string text = TRY(messageText(ctx, ops[slotIndex(kMessage)]));
    const bool wantsResult = !result.operand.isNumberLiteral(); // an empty field stores nothing
    if (wantsResult) {
        VariableRecord* v = nullptr;
        if (operandKind(ctx, result, &v) >= kKindUndeclared || !v || !v->isNumeric())
            return runError(msg::kExpectingNumericFoundVariable, result.operand.name);
    }
    // The box is modal: events may run nested while it is open, so nothing read before it is kept
    // as a view.
    const Button pressed = line.host().showMessage(text, icon, buttons);
    if (wantsResult)
        TRY(storeNumber(ctx, static_cast<float>(static_cast<int>(pressed)), result));
    return Flow::Next;
}

LineResult executeInputBox(LineContext& line)
{
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    CachedOperand& reply = ops[slotIndex(kReply)];
    const std::string prompt = TRY(promptText(ctx, ops[slotIndex(kPrompt)]));
    const int kind = operandKind(ctx, reply);
    if (kind == kKindUndeclared)
        return runError(msg::kUndeclaredReference, reply.operand.name);
    if (kind < kKindUndeclared && kind != kTypeString)
        return runError(msg::kExpectingStringFoundNonString, reply.operand.name);
    // A literal where the variable belongs is refused by the store below.
    const std::optional<std::string> answer = line.host().inputBox(prompt, kInputBoxTitle);
    const std::string_view text = answer ? std::string_view(*answer).substr(0, kMaxReplyLength) : std::string_view();
    TRY(storeText(ctx, text, {}, {}, reply));
    return Flow::Next;
}

LineResult executePause(LineContext& line)
{
    EvalContext& ctx = line.eval();
    const float duration = TRY(evalNumber(ctx, line.operands()[slotIndex(kDuration)]));
    TRY(checkRange(ctx, duration, 0.0f, 10000.0f, "Duration"));
    // The whole thread waits: no window messages, no repaint, input queues up. Only an interrupted
    // run (its time up) cuts the wait short.
    line.sleepFor(std::chrono::milliseconds(static_cast<int>(duration)));
    line.pumpAfterThisLine();
    return Flow::Next;
}

const std::vector<const InstructionEditor*>& editors()
{
    static const std::vector<const InstructionEditor*> list = interactionEditors();
    return list;
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

Family interactionFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kMessageBox,
         {InstructionList::Miscellaneous, 5},
         {},
         editorOfType(editors(), kMessageBox),
         executeMessageBox,
         {"Shows a message in a box and waits until the user presses one of its buttons. The program can find out "
          "which button was pressed: OK 1, Cancel 2, Retry 4, Yes 6, No 7.",
          "Message: the text, in double quotes, or a variable.\n"
          "OK, OK/Cancel, Yes/No, Yes/No/Cancel, Retry/Cancel: the buttons.\n"
          "Exclamation, Information, Question, Stop: the picture shown beside the text.\n"
          "Save Button Pressed Into: a numeric variable for the button, or empty.",
          {"\"Play again?\"", "", "", "1", "", "", "", "", "1", "", "Choice"},
          {}}},
        {kInputBox,
         {InstructionList::Miscellaneous, 4},
         "ib",
         editorOfType(editors(), kInputBox),
         executeInputBox,
         {"Asks the user to type a text and waits for the answer.",
          "Prompt: the question, in double quotes, or a String variable.\n"
          "Response: the String variable that receives what was typed.",
          {"\"What is your name?\"", "Reply"},
          {}}},
        {kPause,
         {InstructionList::Miscellaneous, 6},
         {},
         editorOfType(editors(), kPause),
         executePause,
         {"Waits for a while before the next line. The windows stay alive while it waits.",
          "1000ths Of a second: how long to wait.",
          {"500"},
          {}}},
    };
    return descriptors;
}

} // namespace qel
