#include "interpreter/functions.h"

#include "interpreter/function_blocks.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "values/evaluate.h"
#include "values/names.h"
#include "values/operand.h"
#include "values/variable_table.h"

namespace qel {

namespace {

constexpr std::string_view kIncompatible = "Incompatible variable types for source and destination variable - ";

Status passArgument(LineContext& line, CachedOperand& argument, CachedOperand& parameter)
{
    // Both found before as numeric scalars: every check below passed then and holds still.
    if (argument.cache.scalar && parameter.cache.scalar) [[likely]] {
        if (storeScalar(parameter.cache, scalarValue(argument.cache))) [[likely]]
            return success();
        return integerOverflow();
    }
    EvalContext& ctx = line.eval();
    const int argumentKind = operandKind(ctx, argument);
    if (argumentKind == kKindUndeclared)
        return runError("Found undeclared variable - ", argument.operand.name);
    if (!parameter.operand.hasName)
        return success();
    VariableRecord* target = nullptr;
    if (operandKind(ctx, parameter, &target) == kKindUndeclared)
        return runError(msg::kUndeclaredParameter, parameter.operand.name);
    if (target->type == kTypeBitmap)
        return runError("Destination function expects Bitmap variable which is not permitted.", parameter.operand.name);
    if (target->type == kTypeFile)
        return runError("Destination function expects File variable which is not permitted.", parameter.operand.name);
    return line.assignValue(argument, argumentKind, parameter, *target);
}

} // namespace

std::string_view declaredFunctionName(const ParamBlock& block) { return block.textField(declare_function::kName); }

std::optional<LineCursor> findFunction(const Program& program, std::string_view name)
{
    for (uint32_t section = 0; section < kSectionCount; ++section) {
        const auto& lines = program.sections[section].lines;
        for (uint32_t i = 0; i < lines.size(); ++i)
            if (lines[i].type == kDeclareFunction && sameName(declaredFunctionName(lines[i].block), name))
                return LineCursor{section, i};
    }
    return std::nullopt;
}

void resetCallCaches(RunState& state)
{
    for (uint32_t s = 0; s < kSectionCount; ++s)
        state.callCache[s].assign(state.program.sections[s].lineCount(), LineCursor{kNotLookedUp, 0});
}

std::optional<LineCursor> LineContext::findFunction(std::string_view name)
{
    std::optional<LineCursor> found = qel::findFunction(state_.program, name);
    if (found)
        cursor() = *found;
    return found;
}

void LineContext::cacheFunction(const LineCursor& callLine, const LineCursor& function)
{
    state_.callCache[callLine.section][callLine.index] = function;
}

Status LineContext::assignValue(CachedOperand& value, int kindOfValue, CachedOperand& destination,
                                const VariableRecord& target)
{
    // A number from one scalar into another, both found before: the common call of a loop.
    if (value.cache.scalar && destination.cache.scalar) [[likely]] {
        if (storeScalar(destination.cache, scalarValue(value.cache))) [[likely]]
            return success();
        return integerOverflow();
    }
    EvalContext& ctx = eval();
    if (target.type == kTypeString) {
        if (kindOfValue != kTypeString && kindOfValue != kKindStringLiteral)
            return runError(kIncompatible, destination.operand.name);
        const std::string_view text = TRY(evalString(ctx, value));
        return storeText(ctx, text, {}, {}, destination);
    }
    if (kindOfValue != kTypeInteger && kindOfValue != kTypeFloat && kindOfValue != kKindNumberLiteral)
        return runError(kIncompatible, destination.operand.name);
    // An Integer takes -2^31 .. 2^31 (2^31 as 2147483647); the store fails with the overflow error
    // otherwise.
    return storeNumber(ctx, TRY(evalNumber(ctx, value)), destination);
}

LineResult LineContext::enterFunction(const LineCursor& callLine, const LineCursor& function)
{
    cursor() = function;
    const ParamBlock& declaration = blockAt(function);
    const uint32_t mask = blockAt(callLine).u32(call_block::kMask) & ~call_block::kAllowMissingTarget;
    if (mask != declaration.u32(declare_function::kParameterMask)) {
        cursor() = callLine;
        return runError(msg::kParameterCountMismatch);
    }
    const StackFrame frame{callLine, kCallFrame, static_cast<uint8_t>(declaration.u32(declare_function::kReturnType)),
                           static_cast<uint8_t>(state_.currentSection)};
    if (!stack().push(frame)) {
        cursor() = callLine;
        return runError(msg::kStackOverflow);
    }
    state_.currentSection = function.section;
    auto arguments = operandsAt(callLine);
    auto parameters = operandsAt(function);
    for (size_t k = 0; k < 3; ++k)
        if (mask & (1u << k))
            if (Status passed = passArgument(*this, arguments[1 + k], parameters[1 + k]); !passed) {
                cursor() = callLine;
                return std::move(passed).failure();
            }
    return Flow::Next; // the loop goes on with the line after the DeclareFunction line
}

} // namespace qel
