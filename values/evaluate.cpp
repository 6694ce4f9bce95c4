#include "values/evaluate.h"

#include "messages/run_errors.h"

namespace qel {

namespace {

constexpr float kLargestSubscript = 32000.0f;

VariableRecord* lookup(EvalContext& ctx, VariableRecord*& cache, std::string_view name)
{
    if (!cache)
        cache = ctx.variables.findVariable(name);
    return cache;
}

// The value of one subscript: its integer literal, or its variable's value.
Result<float> subscriptValue(EvalContext& ctx, bool named, std::string_view name, int32_t literal,
                             VariableRecord*& cache)
{
    if (!named)
        return static_cast<float>(literal);
    const VariableRecord* s = lookup(ctx, cache, name);
    if (!s)
        return runError(msg::kSubscriptUndeclared, name);
    if (!s->isNumeric())
        return runError(msg::kSubscriptNonNumeric, name);
    if (s->arrayKind != kNotArray)
        return runError(msg::kSubscriptArray, name);
    return s->numberAt(0);
}

bool inRange(float subscript, int32_t dimension)
{
    return subscript >= 1.0f && subscript <= kLargestSubscript && subscript <= static_cast<float>(dimension);
}

bool isNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == 'e' || c == 'E' || c == '-' || c == '+' || c == '.';
}

Result<float> textToNumber(std::string_view text, std::string_view name)
{
    for (char c : text)
        if (!isNumberCharacter(c)) {
            std::string detail;
            detail.append("\"").append(text).append("\"").append(msg::kUnableToConvertTail).append(name);
            return runError(msg::kUnableToConvert, detail);
        }
    return leadingDecimalValue(text);
}

// The operand's variable with the reference's shape, or the message for an undeclared name or a
// differing shape.
Result<VariableRecord*> shapedVariable(EvalContext& ctx, CachedOperand& op, std::string_view undeclared)
{
    VariableRecord* v = lookup(ctx, op.cache.variable, op.operand.name);
    if (!v)
        return runError(undeclared, op.operand.name);
    if (v->arrayKind != op.operand.arrayKind)
        return runError(msg::kDifferingDimensions, op.operand.name);
    return v;
}

Result<uint32_t> evalHandle(EvalContext& ctx, CachedOperand& op, uint32_t type, std::string_view literal,
                            std::string_view undeclared, std::string_view wrongType)
{
    if (!op.operand.hasName)
        return runError(literal);
    VariableRecord* v = lookup(ctx, op.cache.variable, op.operand.name);
    if (!v)
        return runError(undeclared, op.operand.name);
    if (v->type != type)
        return runError(wrongType, op.operand.name);
    if (v->arrayKind != op.operand.arrayKind)
        return runError(msg::kDifferingDimensions, op.operand.name);
    const size_t i = TRY(resolveElement(ctx, op, *v));
    return v->words[i];
}

} // namespace

int operandKind(EvalContext& ctx, CachedOperand& op, VariableRecord** found)
{
    if (found)
        *found = nullptr;
    if (!op.operand.hasName)
        return op.operand.hasText ? kKindStringLiteral : kKindNumberLiteral;
    VariableRecord* v = lookup(ctx, op.cache.variable, op.operand.name);
    if (!v)
        return kKindUndeclared;
    if (found)
        *found = v;
    return static_cast<int>(v->type);
}

Result<size_t> resolveElement(EvalContext& ctx, CachedOperand& op, const VariableRecord& v)
{
    const Operand& o = op.operand;
    if (v.arrayKind != kArray1D && v.arrayKind != kArray2D)
        return size_t{0};
    const float s1 = TRY(subscriptValue(ctx, o.hasSub1Name, o.sub1Name, o.sub1Value, op.cache.sub1));
    if (!inRange(s1, v.dim1))
        return runError(msg::kSubscript1OutOfRange, o.name);
    float s2 = 1.0f;
    if (v.arrayKind == kArray2D) {
        s2 = TRY(subscriptValue(ctx, o.hasSub2Name, o.sub2Name, o.sub2Value, op.cache.sub2));
        if (!inRange(s2, v.dim2))
            return runError(msg::kSubscript2OutOfRange, o.name);
    }
    return elementIndex(v, static_cast<int32_t>(s1), static_cast<int32_t>(s2));
}

namespace {

struct Element {
    VariableRecord* variable;
    size_t index;
};

// The element of a number or String variable that the operand selects: what EvalNumber and
// EvalString can read, each with its own messages.
Result<Element> readableElement(EvalContext& ctx, CachedOperand& op, std::string_view undeclared,
                                std::string_view wrongType)
{
    VariableRecord* v = TRY(shapedVariable(ctx, op, undeclared));
    if (!v->isNumeric() && v->type != kTypeString)
        return runError(wrongType, op.operand.name);
    return Element{v, TRY(resolveElement(ctx, op, *v))};
}

} // namespace

void noteScalar(OperandCache& cache, VariableRecord& v)
{
    if (v.arrayKind == kNotArray && v.isNumeric() && !v.words.empty()) {
        cache.scalar = v.words.data();
        cache.scalarIsInteger = v.type == kTypeInteger;
    }
}

Result<float> evalNumberSlow(EvalContext& ctx, CachedOperand& op)
{
    const Operand& o = op.operand;
    if (!o.hasName) {
        if (o.hasText)
            return runError(msg::kNumericFoundStringLiteral, o.text);
        return o.number;
    }
    const auto [v, i] = TRY(readableElement(ctx, op, msg::kNumericFoundUndeclared, msg::kNumericFoundNonNumeric));
    if (v->type == kTypeString)
        return textToNumber(v->textAt(i), o.name);
    noteScalar(op.cache, *v); // the shapes agree, so a scalar variable is named without subscripts
    return v->numberAt(i);
}

Result<std::string_view> evalString(EvalContext& ctx, CachedOperand& op)
{
    const Operand& o = op.operand;
    if (!o.hasName) {
        if (!o.hasText)
            return runError(msg::kStringFoundNonString);
        return std::string_view(o.text);
    }
    const auto [v, i] = TRY(readableElement(ctx, op, msg::kStringFoundUndeclared, msg::kStringFoundNonStringVariable));
    if (v->type != kTypeString)
        return ctx.formatNumber(v->numberAt(i));
    StringElement& e = v->texts[i];
    e.assigned = true; // a never-assigned element becomes an empty text
    return std::string_view(e.text);
}

Result<uint32_t> evalBitmap(EvalContext& ctx, CachedOperand& op)
{
    return evalHandle(ctx, op, kTypeBitmap, msg::kBitmapFoundLiteral, msg::kBitmapFoundUndeclared,
                      msg::kBitmapFoundNonBitmap);
}

Result<uint32_t> evalFile(EvalContext& ctx, CachedOperand& op)
{
    return evalHandle(ctx, op, kTypeFile, msg::kFileFoundLiteral, msg::kFileFoundUndeclared, msg::kFileFoundNonFile);
}

Failure rangeError(EvalContext& ctx, float value, std::string_view label)
{
    std::string text(msg::kValueOutOfRange);
    text.append(ctx.formatNumber(value)).append(" - ").append(label);
    return Failure(std::move(text));
}

} // namespace qel
