#include "values/evaluate.h"

#include "values/run_messages.h"

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
bool subscriptValue(EvalContext& ctx, bool named, std::string_view name, int32_t literal, VariableRecord*& cache,
                    float& value)
{
    if (!named) {
        value = static_cast<float>(literal);
        return true;
    }
    const VariableRecord* s = lookup(ctx, cache, name);
    if (!s)
        return ctx.runError(msg::kSubscriptUndeclared, name);
    if (!s->isNumeric())
        return ctx.runError(msg::kSubscriptNonNumeric, name);
    if (s->arrayKind != kNotArray)
        return ctx.runError(msg::kSubscriptArray, name);
    value = s->numberAt(0);
    return true;
}

bool inRange(float subscript, int32_t dimension)
{
    return subscript >= 1.0f && subscript <= kLargestSubscript && subscript <= static_cast<float>(dimension);
}

bool isNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == 'e' || c == 'E' || c == '-' || c == '+' || c == '.';
}

bool textToNumber(EvalContext& ctx, std::string_view text, std::string_view name, float& out)
{
    for (char c : text)
        if (!isNumberCharacter(c)) {
            ctx.runError(msg::kUnableToConvert);
            ctx.runErrorText.append("\"").append(text).append("\"").append(msg::kUnableToConvertTail).append(name);
            return false;
        }
    out = leadingDecimalValue(text);
    return true;
}

// The operand's variable with the reference's shape, or the message for an undeclared name or a
// differing shape.
VariableRecord* shapedVariable(EvalContext& ctx, CachedOperand& op, std::string_view undeclared)
{
    VariableRecord* v = lookup(ctx, op.cache.variable, op.operand.name);
    if (!v) {
        ctx.runError(undeclared, op.operand.name);
        return nullptr;
    }
    if (v->arrayKind != op.operand.arrayKind) {
        ctx.runError(msg::kDifferingDimensions, op.operand.name);
        return nullptr;
    }
    return v;
}

bool evalHandle(EvalContext& ctx, CachedOperand& op, uint32_t type, std::string_view literal,
                std::string_view undeclared, std::string_view wrongType, uint32_t& handle)
{
    if (!op.operand.hasName)
        return ctx.runError(literal);
    VariableRecord* v = lookup(ctx, op.cache.variable, op.operand.name);
    if (!v)
        return ctx.runError(undeclared, op.operand.name);
    if (v->type != type)
        return ctx.runError(wrongType, op.operand.name);
    if (v->arrayKind != op.operand.arrayKind)
        return ctx.runError(msg::kDifferingDimensions, op.operand.name);
    size_t i = 0;
    if (!resolveElement(ctx, op, *v, i))
        return false;
    handle = v->words[i];
    return true;
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

bool resolveElement(EvalContext& ctx, CachedOperand& op, const VariableRecord& v, size_t& index)
{
    const Operand& o = op.operand;
    if (v.arrayKind != kArray1D && v.arrayKind != kArray2D) {
        index = 0;
        return true;
    }
    float s1 = 0.0f;
    if (!subscriptValue(ctx, o.hasSub1Name, o.sub1Name, o.sub1Value, op.cache.sub1, s1))
        return false;
    if (!inRange(s1, v.dim1))
        return ctx.runError(msg::kSubscript1OutOfRange, o.name);
    float s2 = 1.0f;
    if (v.arrayKind == kArray2D) {
        if (!subscriptValue(ctx, o.hasSub2Name, o.sub2Name, o.sub2Value, op.cache.sub2, s2))
            return false;
        if (!inRange(s2, v.dim2))
            return ctx.runError(msg::kSubscript2OutOfRange, o.name);
    }
    index = elementIndex(v, static_cast<int32_t>(s1), static_cast<int32_t>(s2));
    return true;
}

namespace {

// The element of a number or String variable that the operand selects: what EvalNumber and
// EvalString can read, each with its own messages.
VariableRecord* readableElement(EvalContext& ctx, CachedOperand& op, std::string_view undeclared,
                                std::string_view wrongType, size_t& index)
{
    VariableRecord* v = shapedVariable(ctx, op, undeclared);
    if (!v)
        return nullptr;
    if (!v->isNumeric() && v->type != kTypeString) {
        ctx.runError(wrongType, op.operand.name);
        return nullptr;
    }
    return resolveElement(ctx, op, *v, index) ? v : nullptr;
}

} // namespace

void noteScalar(OperandCache& cache, VariableRecord& v)
{
    if (v.arrayKind == kNotArray && v.isNumeric() && !v.words.empty()) {
        cache.scalar = v.words.data();
        cache.scalarIsInteger = v.type == kTypeInteger;
    }
}

bool evalNumberSlow(EvalContext& ctx, CachedOperand& op, float& out)
{
    const Operand& o = op.operand;
    if (!o.hasName) {
        if (o.hasText)
            return ctx.runError(msg::kNumericFoundStringLiteral, o.text);
        out = o.number;
        return true;
    }
    size_t i = 0;
    VariableRecord* v = readableElement(ctx, op, msg::kNumericFoundUndeclared, msg::kNumericFoundNonNumeric, i);
    if (!v)
        return false;
    if (v->type == kTypeString)
        return textToNumber(ctx, v->textAt(i), o.name, out);
    noteScalar(op.cache, *v); // the shapes agree, so a scalar variable is named without subscripts
    out = v->numberAt(i);
    return true;
}

bool evalString(EvalContext& ctx, CachedOperand& op, std::string_view& out)
{
    const Operand& o = op.operand;
    if (!o.hasName) {
        if (!o.hasText)
            return ctx.runError(msg::kStringFoundNonString);
        out = o.text;
        return true;
    }
    size_t i = 0;
    VariableRecord* v = readableElement(ctx, op, msg::kStringFoundUndeclared, msg::kStringFoundNonStringVariable, i);
    if (!v)
        return false;
    if (v->type == kTypeString) {
        StringElement& e = v->texts[i];
        e.assigned = true; // a never-assigned element becomes an empty text
        out = e.text;
    } else {
        out = ctx.formatNumber(v->numberAt(i));
    }
    return true;
}

bool evalBitmap(EvalContext& ctx, CachedOperand& op, uint32_t& handle)
{
    return evalHandle(ctx, op, kTypeBitmap, msg::kBitmapFoundLiteral, msg::kBitmapFoundUndeclared,
                      msg::kBitmapFoundNonBitmap, handle);
}

bool evalFile(EvalContext& ctx, CachedOperand& op, uint32_t& handle)
{
    return evalHandle(ctx, op, kTypeFile, msg::kFileFoundLiteral, msg::kFileFoundUndeclared, msg::kFileFoundNonFile,
                      handle);
}

bool rangeError(EvalContext& ctx, float value, std::string_view label)
{
    ctx.runErrorText.assign(msg::kValueOutOfRange);
    ctx.runErrorText.append(ctx.formatNumber(value)).append(" - ").append(label);
    return false;
}

} // namespace qel
