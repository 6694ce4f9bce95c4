// Call, CallUsing, Return, EndFunction and DeclareFunction as they run. Finding, entering and
// leaving functions follow the rules of LineContext; a function's frame on the section's stack
// remembers how it was called.

#include "instructions/functions/function_handlers.h"

#include "interpreter/function_blocks.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

namespace qel {

namespace {

constexpr std::string_view kUnableToFind = "Unable to find function - ";

} // namespace

LineResult executeCall(LineContext& line)
{
    const LineCursor callLine = line.cursor();
    if (const std::optional<LineCursor> cached = line.cachedFunction(callLine))
        return line.enterFunction(callLine, *cached);
    const std::string_view name = line.operands()[call_block::kNameSlot].operand.name;
    const std::optional<LineCursor> function = line.findFunction(name);
    if (!function)
        return runError(kUnableToFind, name);
    line.cacheFunction(callLine, *function);
    return line.enterFunction(callLine, *function);
}

LineResult executeCallUsing(LineContext& line)
{
    const LineCursor callLine = line.cursor();
    auto ops = line.operands();
    CachedOperand& control = ops[call_block::kControlSlot];
    VariableRecord* variable = nullptr;
    const int kind = operandKind(line.eval(), control, &variable);
    if (kind == kKindUndeclared || kind == kKindNumberLiteral || kind == kKindStringLiteral)
        return runError("Undeclared variable - ", control.operand.name);
    if (kind != kTypeInteger && kind != kTypeFloat && kind != kTypeString)
        return runError("Invalid variable type - ", control.operand.name);
    std::string name(ops[call_block::kNameSlot].operand.name);
    name += TRY(evalString(line.eval(), control));
    const std::optional<LineCursor> function = line.findFunction(name);
    if (!function) {
        line.cursor() = callLine;
        if (line.block().u32(call_block::kMask) & call_block::kAllowMissingTarget)
            return Flow::Next;
        return runError(kUnableToFind, name);
    }
    return line.enterFunction(callLine, *function);
}

LineResult executeReturn(LineContext& line)
{
    const LineCursor returnLine = line.cursor();
    const bool valueGiven = line.block().u32(return_block::kValueGiven) == 1;
    CallStack& stack = line.stack();
    std::optional<StackFrame> call;
    while (!stack.isEmpty()) {
        const StackFrame f = stack.pop();
        if (f.kind == kCallFrame) {
            call = f;
            break;
        }
    }
    if (!call) {
        if (line.section() == kInitialise)
            return line.mismatch(kReturn, 0);
        return Flow::EndSection;
    }
    if (call->marker == kEventHandlerMarker || call->marker == kFormRequestMarker)
        return Flow::EndSection;
    if (call->marker == 0) {
        if (valueGiven)
            return runError("Function may not return a value.");
        line.cursor() = call->line;
        line.returnToSection(call->callerSection);
        return Flow::Next;
    }
    line.cursor() = call->line;
    if (!valueGiven)
        return runError("Function is expected to return a value.");

    EvalContext& ctx = line.eval();
    CachedOperand& value = line.operandsAt(returnLine)[0];
    CachedOperand& destination = line.operandsAt(call->line)[call_block::kReturnIntoSlot];
    if (!destination.operand.hasName)
        return runError("Function returned a value but the call has no Return Into variable.");
    VariableRecord* target = nullptr;
    if (operandKind(ctx, destination, &target) == kKindUndeclared)
        return runError("Can't Return value as destination variable is undeclared - ", destination.operand.name);
    const int valueKind = operandKind(ctx, value);
    if (valueKind == kKindUndeclared)
        return runError("Can't Return value as variable is undeclared - ", value.operand.name);
    if (target->type == kTypeBitmap)
        return runError("Can't Return into the Bitmap variable - ", destination.operand.name);
    if (target->type == kTypeFile)
        return runError("Can't Return into the File variable - ", destination.operand.name);
    TRY(line.assignValue(value, valueKind, destination, *target));
    line.returnToSection(call->callerSection);
    return Flow::Next;
}

LineResult executeEndFunction(LineContext& line)
{
    CallStack& stack = line.stack();
    if (stack.isEmpty())
        return line.mismatch(kEndFunction, 0);
    const StackFrame f = stack.pop();
    if (f.marker != 0 && f.marker != kEventHandlerMarker && f.marker != kFormRequestMarker)
        return runError("Function was expected to return a value.");
    if (f.kind != kCallFrame)
        return line.mismatch(kEndFunction, f.kind);
    line.cursor() = f.line;
    // The "Return Into" name word of a Call line, or the return type of a handler's declaration.
    if (line.blockAt(f.line).u32(call_block::kReturnInto) != 0)
        return runError("Function was called expecting a return value.");
    line.returnToSection(f.callerSection);
    if (f.marker == kFormRequestMarker)
        return Flow::EndSection;
    if ((f.callerSection == kKeyboard || f.callerSection == kMouse) && stack.isEmpty())
        return Flow::EndSection;
    return Flow::Next;
}

LineResult executeDeclareFunction(LineContext& line)
{
    if (line.stack().isEmpty())
        return Flow::EndSection; // the section's main code ends where its first function begins
    return runError("Misplaced DeclareFunction.");
}

} // namespace qel
