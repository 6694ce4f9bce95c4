#include "values/condition.h"

#include "values/expression_messages.h"
#include "values/literals.h"
#include "values/run_messages.h"

#include <algorithm>

namespace qel {

namespace {

// Codes 1 to 6 on two ordered values.
template <typename T>
bool holds(uint32_t code, T a, T b)
{
    switch (code) {
    case kLessThan: return a < b;
    case kGreaterThan: return a > b;
    case kLessOrEqual: return a <= b;
    case kGreaterOrEqual: return a >= b;
    case kEqual: return a == b;
    default: return a != b; // kNotEqual
    }
}

bool isRelational(uint32_t code) { return code >= kLessThan && code <= kNotEqual; }

unsigned char lowerAscii(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Byte order of two texts (bytes unsigned), optionally ignoring ASCII letter case: < 0, 0, > 0.
int textOrder(std::string_view a, std::string_view b, bool caseSensitive)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (!caseSensitive) {
            x = lowerAscii(x);
            y = lowerAscii(y);
        }
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::optional<bool> failed() { return std::nullopt; }

std::optional<bool> numericComparison(EvalContext& ctx, CachedOperand& left, uint32_t code, CachedOperand& right)
{
    float a = 0.0f;
    float b = 0.0f;
    if (!evalNumber(ctx, left, a) || !evalNumber(ctx, right, b))
        return failed();
    if (isRelational(code))
        return holds(code, a, b);
    if (code == kAtEndOfFile)
        ctx.runError(msg::kComparisonNotPossible);
    else if (code == kIsNumeric || code == kIsNotNumeric)
        ctx.runError(msg::kAllNumericAreNumeric);
    else
        ctx.internalError(msg::kUnmanagedNumericComparison);
    return failed();
}

std::optional<bool> stringComparison(EvalContext& ctx, CachedOperand& left, uint32_t code, CachedOperand& right)
{
    std::string_view a;
    if (!evalString(ctx, left, a))
        return failed();
    if (isRelational(code)) {
        std::string_view b;
        if (!evalString(ctx, right, b))
            return failed();
        return holds(code, textOrder(a, b, ctx.caseSensitive), 0);
    }
    if (code == kIsNumeric || code == kIsNotNumeric)
        return isFloatingLiteral(a) == (code == kIsNumeric);
    if (code == kAtEndOfFile)
        ctx.runError(msg::kComparisonNotPossible);
    else
        ctx.internalError(msg::kUnmanagedStringComparison);
    return failed();
}

std::optional<bool> fileComparison(EvalContext& ctx, CachedOperand& left, uint32_t code)
{
    uint32_t handle = 0;
    if (!evalFile(ctx, left, handle))
        return failed();
    if (handle == 0) {
        ctx.runError(msg::kNoFile);
        return failed();
    }
    if (code == kAtEndOfFile) {
        std::optional<bool> atEnd = ctx.atEndOfFile ? ctx.atEndOfFile(handle) : std::nullopt;
        if (!atEnd)
            ctx.runError(msg::kNoFile);
        return atEnd;
    }
    if (isRelational(code) || code == kIsNumeric || code == kIsNotNumeric)
        ctx.runError(msg::kComparisonNotPossible);
    else
        ctx.internalError(msg::kUnmanagedFileComparison);
    return failed();
}

// The declared variable an operand names, or nothing with the undeclared-reference message.
VariableRecord* declaredVariable(EvalContext& ctx, CachedOperand& op)
{
    VariableRecord* v = op.cache.variable;
    if (!v)
        operandKind(ctx, op, &v);
    if (!v)
        ctx.runError(msg::kUndeclaredReference, op.operand.name);
    return v;
}

std::optional<bool> combine(EvalContext& ctx, bool a, uint32_t logical, bool b)
{
    switch (logical) {
    case kAnd: return a && b;
    case kOr: return a || b;
    case kXor: return a != b;
    default: ctx.internalError(msg::kUnmanagedLogical); return failed();
    }
}

} // namespace

std::optional<bool> compare(EvalContext& ctx, CachedOperand& left, uint32_t code, CachedOperand& right)
{
    // The common case of a loop's test: a numeric scalar already found, compared with a number.
    if (left.cache.scalar && isRelational(code)) {
        float b = 0.0f;
        if (!evalNumber(ctx, right, b))
            return failed();
        return holds(code, scalarValue(left.cache), b);
    }
    const VariableRecord* v = declaredVariable(ctx, left);
    if (!v)
        return failed();
    switch (v->type) {
    case kTypeInteger:
    case kTypeFloat: return numericComparison(ctx, left, code, right);
    case kTypeString: return stringComparison(ctx, left, code, right);
    case kTypeFile: return fileComparison(ctx, left, code);
    default: ctx.runError(msg::kEvaluateBitmap, left.operand.name); return failed();
    }
}

std::optional<bool> evaluateCondition(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots)
{
    using namespace if_block;
    if (slots.size() < kSlots) {
        ctx.internalError(msg::kConditionOperandsMissing);
        return failed();
    }
    auto comparison = [&](int k) {
        return compare(ctx, slots[leftSlot(k)], block.u32(comparisonCode(k)), slots[rightSlot(k)]);
    };
    const std::optional<bool> c1 = comparison(0);
    const uint32_t op1 = block.u32(logicalOperator(0));
    if (!c1 || op1 == kNoLogical)
        return c1;
    const std::optional<bool> c2 = comparison(1);
    const uint32_t op2 = block.u32(logicalOperator(1));
    if (!c2)
        return failed();
    if (op2 == kNoLogical)
        return combine(ctx, *c1, op1, *c2);
    const std::optional<bool> c3 = comparison(2);
    if (!c3)
        return failed();
    const uint32_t brackets = block.u32(kBrackets);
    const bool groupsLastTwo =
        !(brackets & openBracketBit(0)) && (brackets & openBracketBit(1)) && !(brackets & closeBracketBit(1));
    if (groupsLastTwo) {
        const std::optional<bool> inner = combine(ctx, *c2, op2, *c3);
        return inner ? combine(ctx, *c1, op1, *inner) : failed();
    }
    const std::optional<bool> outer = combine(ctx, *c1, op1, *c2);
    return outer ? combine(ctx, *outer, op2, *c3) : failed();
}

std::optional<bool> whileCondition(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots)
{
    using namespace while_block;
    if (slots.size() < kSlots) {
        ctx.internalError(msg::kConditionOperandsMissing);
        return failed();
    }
    CachedOperand& left = slots[kLeftSlot];
    if (!left.cache.scalar) { // a noted scalar is a declared number
        const VariableRecord* v = declaredVariable(ctx, left);
        if (!v)
            return failed();
        if (v->type == kTypeBitmap) {
            ctx.runError(msg::kWhileBitmap, left.operand.name);
            return failed();
        }
        if (v->type == kTypeFile) {
            ctx.runError(msg::kWhileFile, left.operand.name);
            return failed();
        }
    }
    std::optional<bool> result = compare(ctx, left, block.u32(kCode), slots[kRightSlot]);
    if (!result)
        ctx.runError(msg::kCantEvaluate);
    return result;
}

} // namespace qel
