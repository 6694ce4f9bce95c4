// The three stores: a number, a raw word, a text. Each finds the destination element the same way
// and leaves it untouched on any failure.

#include "messages/run_errors.h"
#include "values/evaluate.h"

#include <new>

namespace qel {

namespace {

// Longest text a String element may hold; a longer concatenation fails as out of memory rather
// than letting a doubling loop exhaust the machine.
constexpr size_t kMaxTextLength = size_t{1} << 26;

// The destination element of a store.
struct Target {
    VariableRecord* variable;
    size_t index;
};

Result<Target> storeTarget(EvalContext& ctx, CachedOperand& op)
{
    const Operand& o = op.operand;
    if (!o.hasName)
        return runError(msg::kVariableFoundLiteral);
    VariableRecord* v = op.cache.variable ? op.cache.variable : ctx.variables.findVariable(o.name);
    if (!v)
        return runError(msg::kVariableFoundUndeclared, o.name);
    op.cache.variable = v;
    if (v->arrayKind != o.arrayKind)
        return runError(msg::kDifferingDimensions, o.name);
    return Target{v, TRY(resolveElement(ctx, op, *v))};
}

// The concatenation of a, b and c into element i of the String variable v.
Status storeTexts(EvalContext& ctx, VariableRecord& v, size_t i, std::string_view a, std::string_view b,
                  std::string_view c)
{
    if (a.size() + b.size() + c.size() > kMaxTextLength)
        return runError(msg::kOutOfMemoryBlank);
    try {
        // Assembled apart from the element, as a, b or c may be views of it; the element's old
        // buffer then becomes the scratch buffer of the next store.
        ctx.scratch.clear();
        ctx.scratch.append(a).append(b).append(c);
    } catch (const std::bad_alloc&) {
        return runError(msg::kOutOfMemoryBlank);
    }
    StringElement& e = v.texts[i];
    e.text.swap(ctx.scratch);
    e.assigned = true;
    return success();
}

} // namespace

Status storeNumberSlow(EvalContext& ctx, float value, CachedOperand& op)
{
    const auto [v, i] = TRY(storeTarget(ctx, op));
    if (!v->isNumeric())
        return internalError(msg::kStoreWrongType, op.operand.name);
    noteScalar(op.cache, *v);
    v->setNumberAt(i, value);
    return success();
}

Status storeWord(EvalContext& ctx, uint32_t word, CachedOperand& op)
{
    const auto [v, i] = TRY(storeTarget(ctx, op));
    if (v->type == kTypeString)
        return internalError(msg::kStoreWrongType, op.operand.name);
    v->words[i] = word;
    return success();
}

Status storeText(EvalContext& ctx, std::string_view a, std::string_view b, std::string_view c, CachedOperand& op)
{
    const auto [v, i] = TRY(storeTarget(ctx, op));
    if (v->type != kTypeString)
        return internalError(msg::kStoreWrongType, op.operand.name);
    return storeTexts(ctx, *v, i, a, b, c);
}

Status storeTextAt(EvalContext& ctx, VariableRecord& variable, size_t index, std::string_view text)
{
    if (variable.type != kTypeString || index >= variable.texts.size())
        return internalError(msg::kStoreWrongType, variable.name);
    return storeTexts(ctx, variable, index, text, {}, {});
}

} // namespace qel
