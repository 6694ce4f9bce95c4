// The three stores: a number, a raw word, a text. Each finds the destination element the same way
// and leaves it untouched on any failure.

#include "values/evaluate.h"
#include "values/run_messages.h"

#include <new>

namespace qel {

namespace {

// Longest text a String element may hold; a longer concatenation fails as out of memory rather
// than letting a doubling loop exhaust the machine.
constexpr size_t kMaxTextLength = size_t{1} << 26;

// The destination element of a store.
VariableRecord* storeTarget(EvalContext& ctx, CachedOperand& op, size_t& index)
{
    const Operand& o = op.operand;
    if (!o.hasName) {
        ctx.runError(msg::kVariableFoundLiteral);
        return nullptr;
    }
    VariableRecord* v = op.cache.variable ? op.cache.variable : ctx.variables.findVariable(o.name);
    if (!v) {
        ctx.runError(msg::kVariableFoundUndeclared, o.name);
        return nullptr;
    }
    op.cache.variable = v;
    if (v->arrayKind != o.arrayKind) {
        ctx.runError(msg::kDifferingDimensions, o.name);
        return nullptr;
    }
    return resolveElement(ctx, op, *v, index) ? v : nullptr;
}

} // namespace

bool storeNumberSlow(EvalContext& ctx, float value, CachedOperand& op)
{
    size_t i = 0;
    VariableRecord* v = storeTarget(ctx, op, i);
    if (!v)
        return false;
    if (!v->isNumeric())
        return ctx.internalError(msg::kStoreWrongType, op.operand.name);
    noteScalar(op.cache, *v);
    v->setNumberAt(i, value);
    return true;
}

bool storeWord(EvalContext& ctx, uint32_t word, CachedOperand& op)
{
    size_t i = 0;
    VariableRecord* v = storeTarget(ctx, op, i);
    if (!v)
        return false;
    if (v->type == kTypeString)
        return ctx.internalError(msg::kStoreWrongType, op.operand.name);
    v->words[i] = word;
    return true;
}

bool storeText(EvalContext& ctx, std::string_view a, std::string_view b, std::string_view c, CachedOperand& op)
{
    size_t i = 0;
    VariableRecord* v = storeTarget(ctx, op, i);
    if (!v)
        return false;
    if (v->type != kTypeString)
        return ctx.internalError(msg::kStoreWrongType, op.operand.name);
    if (a.size() + b.size() + c.size() > kMaxTextLength)
        return ctx.runError(msg::kOutOfMemoryBlank);
    try {
        // Assembled apart from the element, as a, b or c may be views of it; the element's old
        // buffer then becomes the scratch buffer of the next store.
        ctx.scratch.clear();
        ctx.scratch.append(a).append(b).append(c);
    } catch (const std::bad_alloc&) {
        return ctx.runError(msg::kOutOfMemoryBlank);
    }
    StringElement& e = v->texts[i];
    e.text.swap(ctx.scratch);
    e.assigned = true;
    return true;
}

} // namespace qel
