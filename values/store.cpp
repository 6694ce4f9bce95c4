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
// The largest buffer kept for reuse from store to store.
constexpr size_t kKeptScratch = 4096;

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
    const size_t length = a.size() + b.size() + c.size();
    if (length > kMaxTextLength)
        return runError(msg::kOutOfMemoryBlank);
    StringElement& e = v.texts[i];
    // The new text is paid for before it is made; the old one's bytes come back once it is gone.
    const uint64_t before = textBytes(e.text);
    const uint64_t needed = length + 1;
    if (needed > before && needed - before > ctx.memory.available())
        return runError(msg::kOutOfMemory);
    try {
        // Assembled apart from the element, as a, b or c may be views of it; the element's old
        // buffer then becomes the scratch buffer of the next store.
        // Reserved whole first: appending piece by piece would grow the buffer by doubling, holding
        // the old and the new buffer at once and a capacity up to twice the text.
        ctx.scratch.clear();
        ctx.scratch.reserve(length);
        ctx.scratch.append(a).append(b).append(c);
        e.text.swap(ctx.scratch);
        // A recycled buffer much larger than its text would hold memory the budget does not see.
        if (e.text.capacity() > 2 * length + kKeptScratch)
            e.text.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        return runError(msg::kOutOfMemoryBlank);
    }
    if (ctx.scratch.capacity() > kKeptScratch)
        std::string().swap(ctx.scratch);
    ctx.memory.give(before);
    ctx.memory.charge(textBytes(e.text));
    e.assigned = true;
    return success();
}

} // namespace

Status storeNumberSlow(EvalContext& ctx, float value, CachedOperand& op)
{
    const auto [v, i] = TRY(storeTarget(ctx, op));
    if (!v->isNumeric())
        return internalError(msg::kStoreWrongType, op.operand.name);
    if (!v->setNumberAt(i, value))
        return integerOverflow();
    noteScalar(op.cache, *v);
    return success();
}

Failure integerOverflow() { return runError(msg::kIntegerOverflow); }

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

void setShortText(EvalContext& ctx, StringElement& e, std::string_view text)
{
    ctx.memory.give(textBytes(e.text));
    e.text.assign(text);
    e.text.shrink_to_fit();
    ctx.memory.charge(textBytes(e.text));
    e.assigned = true;
}

} // namespace qel
