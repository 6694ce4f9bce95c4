#pragma once
// The evaluators: every handler reads and writes its operands through these. Each returns true on
// success; on failure RunErrorText holds the complete message and the destination is untouched.
//
// A variable is found through the operand's cache: the first evaluation that needs it searches the
// table by name and keeps the record; a name not found is not cached, so a later declaration is
// found next time. A reference must use exactly as many subscripts as its variable was declared
// with.

#include "values/eval_context.h"
#include "values/operand.h"
#include "values/variable_table.h"

#include <bit>
#include <cstdint>
#include <string_view>

namespace qel {

// The records an operand's names were found as during this run (nullptr: not looked up yet).
struct OperandCache {
    VariableRecord* variable = nullptr;
    VariableRecord* sub1 = nullptr;
    VariableRecord* sub2 = nullptr;
    // When the operand names a scalar Integer or Floating Point variable without subscripts: that
    // variable's one element, which the inner loops then read and store without further checks.
    // Set by the first full read or store; it lives as long as `variable`, elements never move.
    uint32_t* scalar = nullptr;
    bool scalarIsInteger = false;
};

// An operand as a run uses it: decoded once at run start, with its cache beside it.
struct CachedOperand {
    Operand operand;
    OperandCache cache;
};

// OperandKind results: 1..5 a declared variable of that VariableType.
enum OperandKindCode : int {
    kKindUndeclared = 6,
    kKindNumberLiteral = 7,
    kKindStringLiteral = 8,
};

// What the operand is; `found` receives the variable when there is one.
int operandKind(EvalContext& ctx, CachedOperand& op, VariableRecord** found = nullptr);

// The element an operand's subscripts select in its (already found, same-shaped) variable. Scalars
// select element 0. Subscripts must be 1 to 32000 and within the dimension; they are truncated
// toward zero (2.9 selects element 2).
bool resolveElement(EvalContext& ctx, CachedOperand& op, const VariableRecord& variable, size_t& index);

bool evalNumberSlow(EvalContext& ctx, CachedOperand& op, float& out);
bool storeNumberSlow(EvalContext& ctx, float value, CachedOperand& op);

// Notes a found variable's element in the operand's cache when it is a numeric scalar.
void noteScalar(OperandCache& cache, VariableRecord& variable);

// The element of a noted scalar.
inline float scalarValue(const OperandCache& cache)
{
    return cache.scalarIsInteger ? static_cast<float>(std::bit_cast<int32_t>(*cache.scalar))
                                 : std::bit_cast<float>(*cache.scalar);
}
inline void storeScalar(OperandCache& cache, float value)
{
    *cache.scalar =
        cache.scalarIsInteger ? std::bit_cast<uint32_t>(truncateToInt32(value)) : std::bit_cast<uint32_t>(value);
}

// A number: a numeric literal, or an Integer (converted), Floating Point or String (its text read as
// a decimal number) element.
inline bool evalNumber(EvalContext& ctx, CachedOperand& op, float& out)
{
    // The common case of a run's inner loops, kept free of calls: a scalar number already found.
    if (op.cache.scalar) {
        out = scalarValue(op.cache);
        return true;
    }
    if (op.operand.isNumberLiteral()) {
        out = op.operand.number;
        return true;
    }
    return evalNumberSlow(ctx, op, out);
}

// A text, as a view that stays valid until the element is next stored or, for a number formatted
// with the display precision, until ten further numbers have been formatted.
bool evalString(EvalContext& ctx, CachedOperand& op, std::string_view& out);

// A Bitmap or File element's handle (0: none loaded / no file open).
bool evalBitmap(EvalContext& ctx, CachedOperand& op, uint32_t& handle);
bool evalFile(EvalContext& ctx, CachedOperand& op, uint32_t& handle);

// Stores into an Integer (truncated toward zero) or Floating Point element. Callers have checked
// the variable's type.
inline bool storeNumber(EvalContext& ctx, float value, CachedOperand& op)
{
    if (op.cache.scalar) {
        storeScalar(op.cache, value);
        return true;
    }
    return storeNumberSlow(ctx, value, op);
}

// Stores a raw 32-bit element (bitmap and file handles).
bool storeWord(EvalContext& ctx, uint32_t word, CachedOperand& op);

// Stores the concatenation of up to three texts (an empty view counts as empty) into a String
// element. The texts may be views of the destination itself.
bool storeText(EvalContext& ctx, std::string_view a, std::string_view b, std::string_view c, CachedOperand& op);

// Writes the range message; always false.
bool rangeError(EvalContext& ctx, float value, std::string_view label);

// low <= value <= high; otherwise RunErrorText := "Value out of range - " + the value formatted
// + " - " + label, with no header.
inline bool checkRange(EvalContext& ctx, float value, float low, float high, std::string_view label)
{
    return (value >= low && value <= high) || rangeError(ctx, value, label);
}

} // namespace qel
