#pragma once
// Blocks: If/Else/EndIf, While/EndWhile, For/Next, BreakOutOfLoop and Continue. Nothing is matched
// when a program is edited; a block is matched while it runs, through the section's CallStack and a
// forward scan for the line that closes a block whose body is skipped.
//
// For block (type 17):                      While block (type 45):
//   offset  width  field                      offset  width  field
//   0       u32    block length               0       u32    block length
//   4       44     Operand: counter           4       44     Operand: left (a variable)
//   48      44     Operand: start value       48      44     Operand: right
//   92      44     Operand: end value         92      u32    comparison code (1 to 6)
//   136     44     Operand: step value        96      ...    string area
//   180     u32    1 when a step is given
//   184     ...    string area

#include "interpreter/call_stack.h"
#include "interpreter/dispatch.h"

#include <optional>

namespace qel {

namespace for_block {
inline constexpr uint32_t kStepGiven = 180;
inline constexpr size_t kCounterSlot = 0, kStartSlot = 1, kEndSlot = 2, kStepSlot = 3;
} // namespace for_block

// Moves the cursor of s forward to the next line of type target1 or target2 at the same depth of
// blocks; the type found, or nothing (the run error text says why).
std::optional<uint32_t> skipToCodeAfter(Interpreter& in, uint32_t target1, uint32_t target2, uint32_t s);

// "Found <found line> matched to <frame kind>".
Outcome reportMismatch(Interpreter& in, uint32_t found, uint32_t opened);

// Pushes a block or call frame; fails the line with the overflow message when the stack is full.
bool pushFrame(Interpreter& in, uint32_t s, const StackFrame& frame);

void registerControlFlowHandlers(DispatchTable& table);

} // namespace qel
