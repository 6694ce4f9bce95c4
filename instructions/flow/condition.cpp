#include "instructions/flow/condition.h"

#include "instructions/flow/condition_texts.h"
#include "messages/run_errors.h"
#include "values/literals.h"

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

Result<bool> numericComparison(EvalContext& ctx, CachedOperand& left, uint32_t code, CachedOperand& right)
{
    const float a = TRY(evalNumber(ctx, left));
    const float b = TRY(evalNumber(ctx, right));
    if (isRelational(code))
        return holds(code, a, b);
    if (code == kAtEndOfFile)
        return runError(msg::kComparisonNotPossible);
    if (code == kIsNumeric || code == kIsNotNumeric)
        return runError(msg::kAllNumericAreNumeric);
    return internalError(msg::kUnmanagedNumericComparison);
}

Result<bool> stringComparison(EvalContext& ctx, CachedOperand& left, uint32_t code, CachedOperand& right)
{
    const std::string_view a = TRY(evalString(ctx, left));
    if (isRelational(code)) {
        const std::string_view b = TRY(evalString(ctx, right));
        return holds(code, textOrder(a, b, ctx.caseSensitive), 0);
    }
    if (code == kIsNumeric || code == kIsNotNumeric)
        return isFloatingLiteral(a) == (code == kIsNumeric);
    if (code == kAtEndOfFile)
        return runError(msg::kComparisonNotPossible);
    return internalError(msg::kUnmanagedStringComparison);
}

Result<bool> fileComparison(EvalContext& ctx, CachedOperand& left, uint32_t code)
{
    const uint32_t handle = TRY(evalFile(ctx, left));
    if (handle == 0)
        return runError(msg::kNoFile);
    if (code == kAtEndOfFile) {
        const std::optional<bool> atEnd = ctx.atEndOfFile ? ctx.atEndOfFile(handle) : std::nullopt;
        if (!atEnd)
            return runError(msg::kNoFile);
        return *atEnd;
    }
    if (isRelational(code) || code == kIsNumeric || code == kIsNotNumeric)
        return runError(msg::kComparisonNotPossible);
    return internalError(msg::kUnmanagedFileComparison);
}

// The declared variable an operand names, or the undeclared-reference failure.
Result<const VariableRecord*> declaredVariable(EvalContext& ctx, CachedOperand& op)
{
    VariableRecord* v = op.cache.variable;
    if (!v)
        operandKind(ctx, op, &v);
    if (!v)
        return runError(msg::kUndeclaredReference, op.operand.name);
    return v;
}

Result<bool> combine(bool a, uint32_t logical, bool b)
{
    switch (logical) {
    case kAnd: return a && b;
    case kOr: return a || b;
    case kXor: return a != b;
    default: return internalError(msg::kUnmanagedLogical);
    }
}

} // namespace

Result<bool> compare(EvalContext& ctx, CachedOperand& left, uint32_t code, CachedOperand& right)
{
    // The common case of a loop's test: a numeric scalar already found, compared with a number.
    if (left.cache.scalar && isRelational(code)) {
        const float b = TRY(evalNumber(ctx, right));
        return holds(code, scalarValue(left.cache), b);
    }
    const VariableRecord* v = TRY(declaredVariable(ctx, left));
    switch (v->type) {
    case kTypeInteger:
    case kTypeFloat: return numericComparison(ctx, left, code, right);
    case kTypeString: return stringComparison(ctx, left, code, right);
    case kTypeFile: return fileComparison(ctx, left, code);
    default: return runError(msg::kEvaluateBitmap, left.operand.name);
    }
}

Result<bool> evaluateCondition(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots)
{
    using namespace if_block;
    if (slots.size() < kSlots)
        return internalError(msg::kConditionOperandsMissing);
    auto comparison = [&](int k) {
        return compare(ctx, slots[leftSlot(k)], block.u32(comparisonCode(k)), slots[rightSlot(k)]);
    };
    const bool c1 = TRY(comparison(0));
    const uint32_t op1 = block.u32(logicalOperator(0));
    if (op1 == kNoLogical)
        return c1;
    const bool c2 = TRY(comparison(1));
    const uint32_t op2 = block.u32(logicalOperator(1));
    if (op2 == kNoLogical)
        return combine(c1, op1, c2);
    const bool c3 = TRY(comparison(2));
    const uint32_t brackets = block.u32(kBrackets);
    const bool groupsLastTwo =
        !(brackets & openBracketBit(0)) && (brackets & openBracketBit(1)) && !(brackets & closeBracketBit(1));
    if (groupsLastTwo)
        return combine(c1, op1, TRY(combine(c2, op2, c3)));
    return combine(TRY(combine(c1, op1, c2)), op2, c3);
}

Result<bool> whileCondition(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots)
{
    using namespace while_block;
    if (slots.size() < kSlots)
        return internalError(msg::kConditionOperandsMissing);
    CachedOperand& left = slots[kLeftSlot];
    if (!left.cache.scalar) { // a noted scalar is a declared number
        const VariableRecord* v = TRY(declaredVariable(ctx, left));
        if (v->type == kTypeBitmap)
            return runError(msg::kWhileBitmap, left.operand.name);
        if (v->type == kTypeFile)
            return runError(msg::kWhileFile, left.operand.name);
    }
    Result<bool> result = compare(ctx, left, block.u32(kCode), slots[kRightSlot]);
    if (!result)
        return runError(msg::kCantEvaluate);
    return result;
}

} // namespace qel
