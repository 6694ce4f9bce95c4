#include "instructions/variables/let.h"

#include "instructions/variables/let_functions.h"
#include "instructions/variables/let_texts.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"

#include <cmath>
#include <cstring>
#include <string>

namespace qel {

using namespace let_block;

namespace {

// An Integer destination's values must keep -2^31 .. 2^31 (the float 2147483647 becomes, which stores
// as 2147483647): kIntegerLowest .. kIntegerHighest.

// Operators 5 to 9, giving an integer. The remainder works on the operands truncated toward zero;
// the bit operators on them as an Integer store takes them, so an operand with no Integer (beyond
// the range, or not a number) is the overflow error.
Result<float> integerOperator(float a, float b, uint32_t code)
{
    if (code == kRemainder) {
        // fmod on the truncated values is the remainder of the integer division with the sign of
        // a, exact for every float and without the overflow of INT_MIN % -1.
        const double divisor = std::trunc(static_cast<double>(b));
        if (divisor == 0.0)
            return runError(msg::kRemainderByZero);
        return static_cast<float>(std::fmod(std::trunc(static_cast<double>(a)), divisor));
    }
    if (code < kBitAnd || code > kBitNot)
        return internalError(msg::kUnmanagedOperator);
    if (!fitsInteger(a))
        return runError(msg::kIntegerOverflow);
    const int32_t ia = integerOf(a);
    if (code == kBitNot)
        return ia == 0 ? 1.0f : 0.0f; // the right operand is ignored
    if (!fitsInteger(b))
        return runError(msg::kIntegerOverflow);
    const int32_t ib = integerOf(b);
    switch (code) {
    case kBitAnd: return static_cast<float>(ia & ib);
    case kBitOr: return static_cast<float>(ia | ib);
    default: return static_cast<float>(ia ^ ib);
    }
}

// Expression mode into an Integer or Floating Point variable.
Status numericExpression(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots, bool integer)
{
    const uint32_t op1 = block.u32(kOperator1);
    const uint32_t op2 = block.u32(kOperator2);
    const float x1 = TRY(evalNumber(ctx, slots[kOperand1Slot]));
    float x2 = 0.0f;
    float x3 = 0.0f;
    if (op1 != kNoOperator) {
        x2 = TRY(evalNumber(ctx, slots[kOperand2Slot]));
        if (op2 != kNoOperator)
            x3 = TRY(evalNumber(ctx, slots[kOperand3Slot]));
    }
    if (integer) {
        TRY(checkRange(ctx, x1, kIntegerLowest, kIntegerHighest, msg::kFirstExpression));
        TRY(checkRange(ctx, x2, kIntegerLowest, kIntegerHighest, msg::kSecondExpression));
        TRY(checkRange(ctx, x3, kIntegerLowest, kIntegerHighest, msg::kThirdExpression));
    }
    float r = x1;
    if (op1 != kNoOperator)
        r = TRY(applyOperator(r, x2, op1, integer));
    if (op2 != kNoOperator)
        r = TRY(applyOperator(r, x3, op2, integer));
    return storeNumber(ctx, r, slots[kDestinationSlot]);
}

// Function mode into an Integer or Floating Point variable.
Status numericFunctionMode(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots, bool integer)
{
    const uint32_t function = block.u32(kFunction);
    if (function == kDateToStr)
        return runError(msg::kFunctionReturnsString);
    float f = 0.0f;
    if (function == kDateFromStr)
        f = TRY(dateFromText(TRY(evalString(ctx, slots[kOperand1Slot]))));
    else
        f = TRY(numericFunction(ctx, function, TRY(evalNumber(ctx, slots[kOperand1Slot]))));
    float r = f;
    if (const uint32_t op2 = block.u32(kOperator2); op2 != kNoOperator) {
        const float b = TRY(evalNumber(ctx, slots[kOperand2Slot]));
        if (integer)
            TRY(checkRange(ctx, b, kIntegerLowest, kIntegerHighest, msg::kSecondExpression));
        r = TRY(applyOperator(f, b, op2, integer));
    }
    return storeNumber(ctx, r, slots[kDestinationSlot]);
}

// Into a String variable: DateToStr, or the concatenation of up to three texts.
Status stringLet(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots)
{
    CachedOperand& destination = slots[kDestinationSlot];
    if (block.u32(kMode) == kFunctionMode) {
        // Only the date's text is stored; a second operand has no meaning for a text here.
        if (block.u32(kFunction) != kDateToStr)
            return runError(msg::kFunctionReturnsNumber);
        const std::string text = TRY(dateToText(ctx, TRY(evalNumber(ctx, slots[kOperand1Slot]))));
        return storeText(ctx, text, {}, {}, destination);
    }
    const std::string_view s1 = TRY(evalString(ctx, slots[kOperand1Slot]));
    std::string_view s2;
    std::string_view s3;
    if (const uint32_t op1 = block.u32(kOperator1); op1 != kNoOperator) {
        if (op1 != kAdd)
            return runError(msg::kInvalidOperator);
        s2 = TRY(evalString(ctx, slots[kOperand2Slot]));
        if (const uint32_t op2 = block.u32(kOperator2); op2 != kNoOperator) {
            if (op2 != kAdd)
                return runError(msg::kInvalidOperator);
            s3 = TRY(evalString(ctx, slots[kOperand3Slot]));
        }
    }
    return storeText(ctx, s1, s2, s3, destination);
}

// The common case of a loop body, without a call: a Let in expression mode whose destination and
// operands are numeric scalars already found (or numeric literals), joined by + - * /. Not being
// this case, or failing, sends the line to the full path, which evaluates everything again and
// writes the message; that is safe because nothing has been stored. Written for the optimiser:
// always inlined, no loops, no out-parameters.
struct QuickValue {
    float value;
    bool ok;
};

template <bool integer>
[[gnu::always_inline]] inline QuickValue quickNumber(const CachedOperand& op)
{
    float value = op.operand.number;
    if (op.cache.scalar)
        value = scalarValue(op.cache);
    else if (!op.operand.isNumberLiteral())
        return {0.0f, false};
    // An Integer destination's operands must keep its range.
    return {value, !integer || (value >= kIntegerLowest && value <= kIntegerHighest)};
}

// r <op> the operand, for + - * / only.
template <bool integer>
[[gnu::always_inline]] inline QuickValue quickStep(float r, uint32_t op, const CachedOperand& operand)
{
    if (op > kDivide)
        return {0.0f, false};
    const QuickValue b = quickNumber<integer>(operand);
    if (!b.ok)
        return b;
    switch (op) {
    case kAdd: r += b.value; break;
    case kSubtract: r -= b.value; break;
    case kMultiply: r *= b.value; break;
    default: r /= b.value; break;
    }
    return {r, !integer || (r >= kIntegerLowest && r <= kIntegerHighest)};
}

template <bool integer>
[[gnu::always_inline]] inline bool quickOperands(uint32_t op1, uint32_t op2, std::span<CachedOperand> slots)
{
    QuickValue r = quickNumber<integer>(slots[kOperand1Slot]);
    if (r.ok && op1 != kNoOperator)
        r = quickStep<integer>(r.value, op1, slots[kOperand2Slot]);
    if (r.ok && op2 != kNoOperator)
        r = quickStep<integer>(r.value, op2, slots[kOperand3Slot]);
    // The checks above leave only values an Integer takes, so the store cannot fail here.
    return r.ok && storeScalar(slots[kDestinationSlot].cache, r.value);
}

[[gnu::always_inline]] inline bool quickExpression(const ParamBlock& block, std::span<CachedOperand> slots)
{
    const OperandCache& destination = slots[kDestinationSlot].cache;
    if (!destination.scalar || block.bodyLength() < kFixedBody)
        return false;
    // One bounds check for the three words read here.
    const uint8_t* bytes = block.bytes().data();
    auto word = [bytes](uint32_t offset) {
        uint32_t value;
        std::memcpy(&value, bytes + offset, sizeof value);
        return value;
    };
    const uint32_t op1 = word(kOperator1);
    const uint32_t op2 = word(kOperator2);
    if (word(kMode) != kExpressionMode || (op1 == kNoOperator && op2 != kNoOperator))
        return false;
    return destination.scalarIsInteger ? quickOperands<true>(op1, op2, slots) : quickOperands<false>(op1, op2, slots);
}

} // namespace

Result<float> applyOperator(float a, float b, uint32_t code, bool integerDestination)
{
    float r = 0.0f;
    switch (code) {
    case kAdd: r = a + b; break;
    case kSubtract: r = a - b; break;
    case kMultiply: r = a * b; break;
    case kDivide: r = a / b; break; // floating-point rules: infinite or not a number
    default: r = TRY(integerOperator(a, b, code));
    }
    // Written so that a result that is not a number fails as well.
    if (integerDestination && !(r >= kIntegerLowest && r <= kIntegerHighest))
        return runError(msg::kIntegerOverflow);
    return r;
}

namespace {

// Everything the quick path leaves: first lookups, arrays, functions, texts and every failure. Kept
// out of executeLet so that the quick path needs no stack frame.
[[gnu::noinline]] Status executeLetInFull(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots)
{
    CachedOperand& destination = slots[kDestinationSlot];
    VariableRecord* v = destination.cache.variable;
    if (!v) {
        const int kind = operandKind(ctx, destination, &v);
        if (kind == kKindNumberLiteral || kind == kKindStringLiteral)
            return runError(msg::kVariableFoundLiteral);
        if (!v)
            return runError(msg::kUndeclaredReference, destination.operand.name);
    }
    switch (v->type) {
    case kTypeInteger:
    case kTypeFloat:
        if (block.u32(kMode) == kFunctionMode)
            return numericFunctionMode(ctx, block, slots, v->type == kTypeInteger);
        return numericExpression(ctx, block, slots, v->type == kTypeInteger);
    case kTypeString: return stringLet(ctx, block, slots);
    case kTypeBitmap: return runError(msg::kAssignToBitmap, destination.operand.name);
    case kTypeFile: return runError(msg::kAssignToFile, destination.operand.name);
    default: return internalError(msg::kStoreWrongType, destination.operand.name);
    }
}

} // namespace

Status executeLet(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots)
{
    if (slots.size() < kSlots) [[unlikely]]
        return internalError(msg::kLetOperandsMissing);
    if (quickExpression(block, slots)) [[likely]]
        return success();
    return executeLetInFull(ctx, block, slots);
}

LineResult executeLetLine(LineContext& line)
{
    const LineRun& run = line.line();
    const std::span<CachedOperand> slots{run.operands, run.operandCount};
    // The quick path stays in this function: a loop body's Let costs no further call.
    if (slots.size() >= kSlots && quickExpression(*run.block, slots)) [[likely]]
        return Flow::Next;
    TRY(executeLet(line.eval(), *run.block, slots));
    return Flow::Next;
}

// Expression mode with + - * / % into a numeric variable, every operand a number the run can read
// without a message: the run loop does the line itself.
bool decodeLet(const DecodeContext& line, DecodedLine& out)
{
    const ParamBlock& block = line.block();
    const uint32_t op1 = block.u32(kOperator1);
    const uint32_t op2 = block.u32(kOperator2);
    if (line.operandCount() < kSlots || block.u32(kMode) != kExpressionMode || op1 > kRemainder || op2 > kRemainder ||
        (op1 == kNoOperator && op2 != kNoOperator))
        return false;
    const std::optional<NumberSlot> destination = line.number(kDestinationSlot);
    const std::optional<NumberSlot> x1 = line.number(kOperand1Slot);
    const std::optional<NumberSlot> x2 = op1 != kNoOperator ? line.number(kOperand2Slot) : NumberSlot{};
    const std::optional<NumberSlot> x3 = op2 != kNoOperator ? line.number(kOperand3Slot) : NumberSlot{};
    if (!destination || !destination->isVariable() || !x1 || !x2 || !x3)
        return false;
    out.kind = DecodedLine::Kind::Let;
    out.operator1 = static_cast<uint8_t>(op1);
    out.operator2 = static_cast<uint8_t>(op2);
    out.slots[0] = *destination;
    out.slots[1] = *x1;
    out.slots[2] = *x2;
    out.slots[3] = *x3;
    return true;
}

} // namespace qel
