// Call, CallUsing, Return, EndFunction and DeclareFunction as they run. Finding, entering and
// leaving functions follow the rules of LineContext; a function's frame on the section's stack
// remembers how it was called.

#include "instructions/functions/function_handlers.h"

#include "interpreter/decoded_line.h"
#include "interpreter/function_blocks.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

namespace qel {

namespace {} // namespace

LineResult executeCall(LineContext& line)
{
    const LineCursor callLine = line.cursor();
    if (const std::optional<LineCursor> cached = line.cachedFunction(callLine))
        return line.enterFunction(callLine, *cached);
    const std::string_view name = line.operands()[call_block::kNameSlot].operand.name;
    const std::optional<LineCursor> function = line.findFunction(name);
    if (!function)
        return runError(msg::kUnableToFindFunction, name);
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
        return runError(msg::kUndeclaredControlVariable, control.operand.name);
    if (kind != kTypeInteger && kind != kTypeFloat && kind != kTypeString)
        return runError("Invalid variable type - ", control.operand.name);
    std::string name(ops[call_block::kNameSlot].operand.name);
    name += TRY(evalString(line.eval(), control));
    const std::optional<LineCursor> function = line.findFunction(name);
    if (!function) {
        line.cursor() = callLine;
        if (line.block().u32(call_block::kMask) & call_block::kAllowMissingTarget)
            return Flow::Next;
        return runError(msg::kUnableToFindFunction, name);
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
    return runError(msg::kMisplacedDeclareFunction);
}

namespace {

// Whether reading the number touches the element.
bool reads(const NumberSlot& n, const uint32_t* element)
{
    if (n.literal)
        return false;
    if (!n.index)
        return n.word == element;
    return n.index == element || (element >= n.word && element < n.word + n.limit);
}

} // namespace

// A Call of a function found now with numbers for numeric parameters, none of which an argument
// reads (so passing them all at once is passing them in turn); a numeric Return Into variable is
// what a decoded Return stores into.
bool decodeCall(const DecodeContext& line, DecodedLine& out)
{
    using namespace call_block;
    if (line.operandCount() <= kReturnIntoSlot)
        return false;
    const std::optional<LineCursor> function = line.function(line.operandName(kNameSlot));
    if (!function)
        return false;
    const ParamBlock& declaration = line.blockAt(*function);
    const uint32_t mask = line.block().u32(kMask) & ~kAllowMissingTarget;
    if (mask != declaration.u32(declare_function::kParameterMask))
        return false;
    for (size_t k = 0; k < 3; ++k) {
        if (!(mask & (1u << k)))
            continue;
        const std::optional<NumberSlot> argument = line.number(1 + k);
        const std::optional<NumberSlot> parameter = line.numberAt(*function, 1 + k);
        if (!argument || !parameter || !parameter->isVariable() || parameter->index)
            return false;
        out.slots[k] = *argument;
        out.slots[3 + k] = *parameter;
    }
    for (size_t k = 0; k < 3; ++k)
        for (size_t j = 0; j < 3; ++j)
            if ((mask & (1u << k)) && (mask & (1u << j)) && reads(out.slots[k], out.slots[3 + j].word))
                return false;
    if (const std::optional<NumberSlot> into = line.number(kReturnIntoSlot); into && into->isVariable()) {
        out.slots[6] = *into;
        out.resultGiven = true;
    }
    out.kind = DecodedLine::Kind::Call;
    out.arguments = static_cast<uint8_t>(mask & 7u);
    out.marker = static_cast<uint8_t>(declaration.u32(declare_function::kReturnType));
    out.function = *function;
    return true;
}

bool decodeReturn(const DecodeContext& line, DecodedLine& out)
{
    if (line.block().u32(return_block::kValueGiven) != 1)
        return false;
    const std::optional<NumberSlot> value = line.number(0);
    if (!value)
        return false;
    out.kind = DecodedLine::Kind::Return;
    out.slots[0] = *value;
    return true;
}

} // namespace qel
