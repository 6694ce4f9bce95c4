#include "interpreter/functions.h"

#include "interpreter/control_flow.h"
#include "interpreter/declare_function.h"
#include "interpreter/interpreter.h"
#include "values/evaluate.h"
#include "values/names.h"
#include "values/run_messages.h"
#include "values/variable_table.h"

namespace qel {

namespace {

constexpr uint32_t kNotCached = 255;
constexpr float kIntegerLow = -2147483648.0f;
constexpr float kIntegerHigh = 2147483648.0f;

constexpr std::string_view kUnableToFind = "Unable to find function - ";
constexpr std::string_view kParameterCountMismatch = "Paramater count mismatch";
constexpr std::string_view kStackOverflow = "User application stack overflow";
constexpr std::string_view kIntegerOverflow = "Integer variable overflow/underflow.";
constexpr std::string_view kIncompatible = "Incompatible variable types for source and destination variable - ";

// Copies a value into a variable by the variable's type: the rule shared by argument passing and
// returning a value. kindOfValue is operandKind of the value.
bool assignValue(Interpreter& in, CachedOperand& value, int kindOfValue, CachedOperand& destination,
                 const VariableRecord& target)
{
    EvalContext& ctx = in.eval;
    if (target.type == kTypeString) {
        if (kindOfValue != kTypeString && kindOfValue != kKindStringLiteral)
            return ctx.runError(kIncompatible, destination.operand.name);
        std::string_view text;
        return evalString(ctx, value, text) && storeText(ctx, text, {}, {}, destination);
    }
    if (kindOfValue != kTypeInteger && kindOfValue != kTypeFloat && kindOfValue != kKindNumberLiteral)
        return ctx.runError(kIncompatible, destination.operand.name);
    float number;
    if (!evalNumber(ctx, value, number))
        return false;
    if (target.type == kTypeInteger && !(number >= kIntegerLow && number <= kIntegerHigh))
        return ctx.runError(kIntegerOverflow);
    return storeNumber(ctx, number, destination);
}

bool passArgument(Interpreter& in, CachedOperand& argument, CachedOperand& parameter)
{
    EvalContext& ctx = in.eval;
    int argumentKind = operandKind(ctx, argument);
    if (argumentKind == kKindUndeclared)
        return ctx.runError("Found undeclared variable - ", argument.operand.name);
    if (!parameter.operand.hasName)
        return true;
    VariableRecord* target = nullptr;
    if (operandKind(ctx, parameter, &target) == kKindUndeclared)
        return ctx.runError("Can't complete Call as found undeclared variable in destination function declaration - ",
                            parameter.operand.name);
    if (target->type == kTypeBitmap)
        return ctx.runError("Destination function expects Bitmap variable which is not permitted.",
                            parameter.operand.name);
    if (target->type == kTypeFile)
        return ctx.runError("Destination function expects File variable which is not permitted.",
                            parameter.operand.name);
    return assignValue(in, argument, argumentKind, parameter, *target);
}

LineCursor& cachedFunction(Interpreter& in, const LineCursor& callLine)
{
    return in.callCache[callLine.section][callLine.index];
}

Outcome executeCall(Interpreter& in, uint32_t s)
{
    const LineCursor callLine = in.cursor(s);
    LineCursor& cached = cachedFunction(in, callLine);
    if (cached.section != kNotCached)
        return enterFunction(in, s, callLine, cached);
    std::string_view name = in.operandsAt(callLine)[call_block::kNameSlot].operand.name;
    LineCursor function;
    if (!findFunction(in, name, s, function))
        return in.fail(kUnableToFind, name);
    cached = function;
    return enterFunction(in, s, callLine, function);
}

Outcome executeCallUsing(Interpreter& in, uint32_t s)
{
    const LineCursor callLine = in.cursor(s);
    auto ops = in.operandsAt(callLine);
    CachedOperand& control = ops[call_block::kControlSlot];
    VariableRecord* variable = nullptr;
    int kind = operandKind(in.eval, control, &variable);
    if (kind == kKindUndeclared || kind == kKindNumberLiteral || kind == kKindStringLiteral)
        return in.fail("Undeclared variable - ", control.operand.name);
    std::string name(ops[call_block::kNameSlot].operand.name);
    if (kind == kTypeInteger || kind == kTypeFloat || kind == kTypeString) {
        std::string_view text;
        if (!evalString(in.eval, control, text))
            return Outcome::Fail;
        name += text;
    } else {
        return in.fail("Invalid variable type - ", control.operand.name);
    }
    LineCursor function;
    if (!findFunction(in, name, s, function)) {
        in.cursor(s) = callLine;
        if (in.blockAt(callLine).u32(call_block::kMask) & call_block::kAllowMissingTarget)
            return Outcome::Next;
        return in.fail(kUnableToFind, name);
    }
    return enterFunction(in, s, callLine, function);
}

Outcome executeReturn(Interpreter& in, uint32_t s)
{
    const LineCursor returnLine = in.cursor(s);
    const bool valueGiven = in.blockAt(returnLine).u32(return_block::kValueGiven) == 1;
    CallStack& stack = in.callStacks[s];
    std::optional<StackFrame> call;
    while (!stack.isEmpty()) {
        StackFrame f = stack.pop();
        if (f.kind == kCallFrame) {
            call = f;
            break;
        }
    }
    if (!call) {
        if (s == kInitialise)
            return reportMismatch(in, kReturn, 0);
        return Outcome::EndSection;
    }
    if (call->marker == kEventHandlerMarker || call->marker == kFormRequestMarker)
        return Outcome::EndSection;
    if (call->marker == 0) {
        if (valueGiven)
            return in.fail("Function may not return a value.");
        in.cursor(s) = call->line;
        in.currentSection = call->callerSection;
        return Outcome::Next;
    }
    in.cursor(s) = call->line;
    if (!valueGiven)
        return in.fail("Function is expected to return a value.");

    CachedOperand& value = in.operandsAt(returnLine)[0];
    CachedOperand& destination = in.operandsAt(call->line)[call_block::kReturnIntoSlot];
    if (!destination.operand.hasName)
        return in.fail("Function returned a value but the call has no Return Into variable.");
    VariableRecord* target = nullptr;
    if (operandKind(in.eval, destination, &target) == kKindUndeclared)
        return in.fail("Can't Return value as destination variable is undeclared - ", destination.operand.name);
    int valueKind = operandKind(in.eval, value);
    if (valueKind == kKindUndeclared)
        return in.fail("Can't Return value as variable is undeclared - ", value.operand.name);
    if (target->type == kTypeBitmap)
        return in.fail("Can't Return into the Bitmap variable - ", destination.operand.name);
    if (target->type == kTypeFile)
        return in.fail("Can't Return into the File variable - ", destination.operand.name);
    if (!assignValue(in, value, valueKind, destination, *target))
        return Outcome::Fail;
    in.currentSection = call->callerSection;
    return Outcome::Next;
}

Outcome executeEndFunction(Interpreter& in, uint32_t s)
{
    CallStack& stack = in.callStacks[s];
    if (stack.isEmpty())
        return reportMismatch(in, kEndFunction, 0);
    StackFrame f = stack.pop();
    if (f.marker != 0 && f.marker != kEventHandlerMarker && f.marker != kFormRequestMarker)
        return in.fail("Function was expected to return a value.");
    if (f.kind != kCallFrame)
        return reportMismatch(in, kEndFunction, f.kind);
    in.cursor(s) = f.line;
    // The "Return Into" name word of a Call line, or the return type of a handler's declaration.
    if (in.blockAt(f.line).u32(call_block::kReturnInto) != 0)
        return in.fail("Function was called expecting a return value.");
    in.currentSection = f.callerSection;
    if (f.marker == kFormRequestMarker)
        return Outcome::EndSection;
    if ((in.currentSection == kKeyboard || in.currentSection == kMouse) && stack.isEmpty())
        return Outcome::EndSection;
    return Outcome::Next;
}

Outcome executeDeclareFunction(Interpreter& in, uint32_t s)
{
    if (in.callStacks[s].isEmpty())
        return Outcome::EndSection; // the section's main code ends where its first function begins
    return in.fail("Misplaced DeclareFunction.");
}

} // namespace

bool findFunction(Interpreter& in, std::string_view name, uint32_t s, LineCursor& found)
{
    for (uint32_t section = 0; section < kSectionCount; ++section) {
        const auto& lines = in.program.sections[section].lines;
        for (uint32_t i = 0; i < lines.size(); ++i)
            if (lines[i].type == kDeclareFunction && sameName(declaredFunctionName(lines[i].block), name)) {
                found = {section, i};
                in.cursor(s) = found;
                return true;
            }
    }
    return false;
}

void resetCallCaches(Interpreter& in)
{
    for (uint32_t s = 0; s < kSectionCount; ++s)
        in.callCache[s].assign(in.program.sections[s].lineCount(), LineCursor{kNotCached, 0});
}

Outcome enterFunction(Interpreter& in, uint32_t s, const LineCursor& callLine, const LineCursor& function)
{
    in.cursor(s) = function;
    const ParamBlock& declaration = in.blockAt(function);
    const uint32_t mask = in.blockAt(callLine).u32(call_block::kMask) & ~call_block::kAllowMissingTarget;
    if (mask != declaration.u32(declare_function::kParameterMask)) {
        in.cursor(s) = callLine;
        return in.fail(kParameterCountMismatch);
    }
    StackFrame frame{callLine, kCallFrame, static_cast<uint8_t>(declaration.u32(declare_function::kReturnType)),
                     static_cast<uint8_t>(in.currentSection)};
    if (!in.callStacks[s].push(frame)) {
        in.cursor(s) = callLine;
        return in.fail(kStackOverflow);
    }
    in.currentSection = function.section;
    auto arguments = in.operandsAt(callLine);
    auto parameters = in.operandsAt(function);
    for (size_t k = 0; k < 3; ++k)
        if ((mask & (1u << k)) && !passArgument(in, arguments[1 + k], parameters[1 + k])) {
            in.cursor(s) = callLine;
            return Outcome::Fail;
        }
    return Outcome::Next; // the loop goes on with the line after the DeclareFunction line
}

void registerFunctionHandlers(DispatchTable& table)
{
    table.set(kCall, executeCall);
    table.set(kCallUsing, executeCallUsing);
    table.set(kReturn, executeReturn);
    table.set(kEndFunction, executeEndFunction);
    table.set(kDeclareFunction, executeDeclareFunction);
}

} // namespace qel
