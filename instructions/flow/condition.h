#pragma once
// Conditions: the comparisons of If and While, and If's combination of up to three of them.
//
// If block (type 16):                          While block (type 45):
//   offset  width  field                         offset  width  field
//   0       u32    block length                  0       u32    block length
//   4       44     Operand: left 1               4       44     Operand: left (a variable)
//   48      44     Operand: left 2               48      44     Operand: right
//   92      44     Operand: left 3               92      u32    comparison code (1 to 6)
//   136     44     Operand: right 1              96      ...    string area
//   180     44     Operand: right 2
//   224     44     Operand: right 3
//   268     u32    comparison 1 code
//   272     u32    comparison 2 code
//   276     u32    comparison 3 code
//   280     u32    logical operator 1 (0: comparison 1 alone)
//   284     u32    logical operator 2 (0: no comparison 3)
//   288     u32    brackets: bits 0-2 "(" before comparison 1-3, bits 3-5 ")" after comparison 1-3
//   292     ...    string area

#include "base/result.h"
#include "program/param_block.h"
#include "values/eval_context.h"
#include "values/evaluate.h"

#include <cstdint>
#include <optional>
#include <span>

namespace qel {

namespace if_block {
inline constexpr uint32_t kLeft1 = 4;
inline constexpr uint32_t kRight1 = 136;
inline constexpr uint32_t kCode1 = 268;
inline constexpr uint32_t kLogical1 = 280;
inline constexpr uint32_t kBrackets = 288;
inline constexpr uint32_t kFixedBody = 288;
inline constexpr int kComparisons = 3;
constexpr uint32_t leftOperand(int k) { return kLeft1 + 44 * static_cast<uint32_t>(k); }
constexpr uint32_t rightOperand(int k) { return kRight1 + 44 * static_cast<uint32_t>(k); }
constexpr uint32_t comparisonCode(int k) { return kCode1 + 4 * static_cast<uint32_t>(k); }
constexpr uint32_t logicalOperator(int k) { return kLogical1 + 4 * static_cast<uint32_t>(k); } // k = 0, 1
constexpr uint32_t openBracketBit(int k) { return 1u << k; }
constexpr uint32_t closeBracketBit(int k) { return 1u << (3 + k); }
// The decoded operands in block order: the three left ones, then the three right ones.
constexpr size_t leftSlot(int k) { return static_cast<size_t>(k); }
constexpr size_t rightSlot(int k) { return 3 + static_cast<size_t>(k); }
inline constexpr size_t kSlots = 6;
} // namespace if_block

namespace while_block {
inline constexpr uint32_t kLeft = 4;
inline constexpr uint32_t kRight = 48;
inline constexpr uint32_t kCode = 92;
inline constexpr uint32_t kFixedBody = 92;
inline constexpr size_t kLeftSlot = 0, kRightSlot = 1;
inline constexpr size_t kSlots = 2;
} // namespace while_block

enum Comparison : uint32_t {
    kLessThan = 1,
    kGreaterThan = 2,
    kLessOrEqual = 3,
    kGreaterOrEqual = 4,
    kEqual = 5,
    kNotEqual = 6,
    kAtEndOfFile = 11, // File variables; no right operand
    kIsNumeric = 12,   // String variables; no right operand
    kIsNotNumeric = 13,
};

enum LogicalOperator : uint32_t { kNoLogical = 0, kAnd = 7, kOr = 8, kXor = 10 };

// Whether a comparison takes no right operand.
constexpr bool isUnaryComparison(uint32_t code)
{
    return code == kAtEndOfFile || code == kIsNumeric || code == kIsNotNumeric;
}

// left <code> right, the family chosen by the left variable's type.
[[nodiscard]] Result<bool> compare(EvalContext& ctx, CachedOperand& left, uint32_t code, CachedOperand& right);

// An If line's condition: every comparison present is evaluated, in order, without short-circuit.
// One pair of brackets around comparisons 2 and 3 groups them; any other brackets leave the
// left-to-right grouping.
[[nodiscard]] Result<bool> evaluateCondition(EvalContext& ctx, const ParamBlock& ifBlock,
                                             std::span<CachedOperand> slots);

// A While line's test. Any failure of the comparison itself is reported as "Can't evaluate
// expresion.".
[[nodiscard]] Result<bool> whileCondition(EvalContext& ctx, const ParamBlock& whileBlock,
                                          std::span<CachedOperand> slots);

} // namespace qel
