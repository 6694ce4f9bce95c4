#pragma once
// The evaluators: every handler reads and writes its operands through these. Each returns its value
// or a Failure with the complete message; on failure the destination is untouched.
//
// A variable is found through the operand's cache: the first evaluation that needs it searches the
// table by name and keeps the record; a name not found is not cached, so a later declaration is
// found next time. A reference must use exactly as many subscripts as its variable was declared
// with.

#include "base/result.h"
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
[[nodiscard]] Result<size_t> resolveElement(EvalContext& ctx, CachedOperand& op, const VariableRecord& variable);

[[nodiscard]] Result<float> evalNumberSlow(EvalContext& ctx, CachedOperand& op);
[[nodiscard]] Status storeNumberSlow(EvalContext& ctx, float value, CachedOperand& op);

// Notes a found variable's element in the operand's cache when it is a numeric scalar.
void noteScalar(OperandCache& cache, VariableRecord& variable);

// The element of a noted scalar.
inline float scalarValue(const OperandCache& cache)
{
    return cache.scalarIsInteger ? static_cast<float>(std::bit_cast<int32_t>(*cache.scalar))
                                 : std::bit_cast<float>(*cache.scalar);
}
// False, with the element untouched, when an Integer cannot take the value (see integerOf).
[[nodiscard]] inline bool storeScalar(OperandCache& cache, float value)
{
    if (!cache.scalarIsInteger) {
        *cache.scalar = std::bit_cast<uint32_t>(value);
        return true;
    }
    if (!fitsInteger(value)) [[unlikely]]
        return false;
    *cache.scalar = std::bit_cast<uint32_t>(integerOf(value));
    return true;
}

// A number: a numeric literal, or an Integer (converted), Floating Point or String (its text read as
// a decimal number) element.
[[nodiscard]] inline Result<float> evalNumber(EvalContext& ctx, CachedOperand& op)
{
    // The common case of a run's inner loops, kept free of calls: a scalar number already found.
    if (op.cache.scalar)
        return scalarValue(op.cache);
    if (op.operand.isNumberLiteral())
        return op.operand.number;
    return evalNumberSlow(ctx, op);
}

// A text, as a view that stays valid until the element is next stored or, for a number formatted
// with the display precision, until ten further numbers have been formatted.
[[nodiscard]] Result<std::string_view> evalString(EvalContext& ctx, CachedOperand& op);

// A Bitmap or File element's handle (0: none loaded / no file open).
[[nodiscard]] Result<uint32_t> evalBitmap(EvalContext& ctx, CachedOperand& op);
[[nodiscard]] Result<uint32_t> evalFile(EvalContext& ctx, CachedOperand& op);

// "Integer variable overflow/underflow." with its header: a value an Integer cannot take.
[[nodiscard]] Failure integerOverflow();

// Stores into an Integer (truncated toward zero; see integerOf) or Floating Point element; NaN or a
// value beyond the 32-bit range fails an Integer with the overflow error. Callers have checked the
// variable's type.
[[nodiscard]] inline Status storeNumber(EvalContext& ctx, float value, CachedOperand& op)
{
    if (op.cache.scalar) {
        if (storeScalar(op.cache, value)) [[likely]]
            return success();
        return integerOverflow();
    }
    return storeNumberSlow(ctx, value, op);
}

// Stores a raw 32-bit element (bitmap and file handles).
[[nodiscard]] Status storeWord(EvalContext& ctx, uint32_t word, CachedOperand& op);

// Stores the concatenation of up to three texts (an empty view counts as empty) into a String
// element. The texts may be views of the destination itself. A text the run's memory budget
// cannot hold fails with "Out of memory" and leaves the element as it was.
[[nodiscard]] Status storeText(EvalContext& ctx, std::string_view a, std::string_view b, std::string_view c,
                               CachedOperand& op);
// Puts a text of a few characters into an element (the system variables' texts at an event),
// giving back to the run's budget what the element's old text held.
void setShortText(EvalContext& ctx, StringElement& element, std::string_view text);

// Stores a text into one element (by index) of a String variable the caller has found and checked,
// as storeText does.
[[nodiscard]] Status storeTextAt(EvalContext& ctx, VariableRecord& variable, size_t index, std::string_view text);

// "Value out of range - " + the value formatted + " - " + label, with no header.
[[nodiscard]] Failure rangeError(EvalContext& ctx, float value, std::string_view label);

// low <= value <= high, or the range failure.
[[nodiscard]] inline Status checkRange(EvalContext& ctx, float value, float low, float high, std::string_view label)
{
    if (value >= low && value <= high) [[likely]]
        return success();
    return rangeError(ctx, value, label);
}

} // namespace qel
