#pragma once
// Blocks: If/Else/EndIf, While/EndWhile, For/Next, BreakOutOfLoop and Continue. Nothing is matched
// when a program is edited; a block is matched while it runs, through the section's CallStack and a
// forward scan for the line that closes a block whose body is skipped. The For, While and If
// blocks are laid out by their editors (values/for_editor.h, while_editor.h, condition.h).

#include "interpreter/call_stack.h"
#include "interpreter/dispatch.h"

#include <optional>

namespace qel {

// Moves the cursor of s forward to the next line of type target1 or target2 at the same depth of
// blocks; the type found, or nothing (the run error text says why).
std::optional<uint32_t> skipToCodeAfter(Interpreter& in, uint32_t target1, uint32_t target2, uint32_t s);

// "Found <found line> matched to <frame kind>".
Outcome reportMismatch(Interpreter& in, uint32_t found, uint32_t opened);

// Pushes a block or call frame; fails the line with the overflow message when the stack is full.
bool pushFrame(Interpreter& in, uint32_t s, const StackFrame& frame);

void registerControlFlowHandlers(DispatchTable& table);

} // namespace qel
