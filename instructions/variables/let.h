#pragma once
// Let: the assignment. At most three operands joined by at most two operators, evaluated strictly
// left to right, or one built-in function of one argument, optionally combined with a second
// operand. Every intermediate result is a 32-bit float.
//
// Let block (type 23):
//   offset  width  field
//   0       u32    block length
//   4       u32    mode: 0 expression, 1 function
//   8       44     Operand: destination
//   52      44     Operand: operand 1 (function mode: the function's argument)
//   96      44     Operand: operand 2 (function mode: the second operand)
//   140     44     Operand: operand 3 (expression mode only)
//   184     u32    expression mode: operator 1; function mode: the function code
//   188     u32    operator 2 (function mode: between the function's result and operand 2)
//   192     ...    string area

#include "interpreter/decoded_line.h"
#include "interpreter/dispatch.h"
#include "program/param_block.h"
#include "values/eval_context.h"
#include "values/evaluate.h"

#include <cstdint>
#include <span>

namespace qel {

namespace let_block {
inline constexpr uint32_t kMode = 4;
inline constexpr uint32_t kDestination = 8;
inline constexpr uint32_t kOperand1 = 52;
inline constexpr uint32_t kOperand2 = 96;
inline constexpr uint32_t kOperand3 = 140;
inline constexpr uint32_t kOperator1 = 184; // the function code in function mode
inline constexpr uint32_t kFunction = 184;
inline constexpr uint32_t kOperator2 = 188;
inline constexpr uint32_t kFixedBody = 188;
// The decoded operands, in block order.
inline constexpr size_t kDestinationSlot = 0, kOperand1Slot = 1, kOperand2Slot = 2, kOperand3Slot = 3;
inline constexpr size_t kSlots = 4;
} // namespace let_block

enum LetMode : uint32_t { kExpressionMode = 0, kFunctionMode = 1 };

// Operator codes. 5 to 9 work on the operands truncated to integers and give an integer.
enum LetOperator : uint32_t {
    kNoOperator = 0,
    kAdd = 1,
    kSubtract = 2,
    kMultiply = 3,
    kDivide = 4,
    kRemainder = 5, // sign of the left operand; a right operand truncating to 0 is an error
    kBitAnd = 6,
    kBitOr = 7,
    kBitXor = 8,
    kBitNot = 9, // 1 when the left operand truncates to 0, else 0; the right one is ignored
};

enum LetFunction : uint32_t {
    kCos = 10,
    kSin = 11,
    kTan = 12,
    kSqrt = 13,
    kRand = 14,
    kDateFromStr = 15,
    kDateToStr = 16,
    kInt = 17,
    kFraction = 18,
    kRound = 19,
};

// Degrees to radians as programs have always converted them: 3.141595 / 180, not the exact pi / 180,
// so Cos(90) is about -1.17e-6 rather than 0.
inline constexpr double kRadiansPerDegree = 0.017453305555555555;

// a <code> b. With integerDestination the result must lie in -2147483648 .. 2147483648, or the
// overflow failure.
[[nodiscard]] Result<float> applyOperator(float a, float b, uint32_t code, bool integerDestination);

// Executes a Let line: slots are the four decoded operands in block order (destination, 1, 2, 3).
// On failure the destination is unchanged.
[[nodiscard]] Status executeLet(EvalContext& ctx, const ParamBlock& block, std::span<CachedOperand> slots);

// The Let line's handler.
LineResult executeLetLine(LineContext& line);
// Its decoded form for the run loop (decoded_line.h).
bool decodeLet(const DecodeContext& line, DecodedLine& out);

} // namespace qel
