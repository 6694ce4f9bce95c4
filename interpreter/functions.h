#pragma once
// User functions: finding them, Call and CallUsing, passing arguments, Return and EndFunction.
//
// Call block (type 1); CallUsing (type 61) has the same fields, the name prefix in the first
// operand, bit 3 of the mask "allow missing target", and the control variable at 236.
//
//   offset  width  field
//   0       u32    block length
//   4       44     Operand: function name (CallUsing: the prefix)
//   48      44     Operand: argument 1
//   92      44     Operand: argument 2
//   136     44     Operand: argument 3
//   180     44     Operand: "Return Into" variable (empty: the result is not wanted)
//   224     u32    argument mask: bits 0 to 2 as the declaration's parameter mask; bit 3 (CallUsing)
//                  allow a missing target
//   228     u32    run-time cache words (not used: the cache lives beside the program)
//   236     44     CallUsing: Operand of the control variable (Call: string area)
//
// Return block (type 28): Operand of the value at 4, u32 at 48: 1 when a value is given.

#include "interpreter/dispatch.h"

#include <string_view>

namespace qel {

namespace call_block {
inline constexpr uint32_t kName = 4;
inline constexpr uint32_t kReturnInto = 180;
inline constexpr uint32_t kMask = 224;
inline constexpr uint32_t kControlVariable = 236;
inline constexpr uint32_t kAllowMissingTarget = 8;
// Slots of the decoded operands, in block order.
inline constexpr size_t kNameSlot = 0;
inline constexpr size_t kReturnIntoSlot = 4;
inline constexpr size_t kControlSlot = 5;
} // namespace call_block

namespace return_block {
inline constexpr uint32_t kValueGiven = 48;
}

// Searches sections 0 to 4 for a DeclareFunction line of that name (letter case ignored); the
// current line of section s moves to it.
bool findFunction(Interpreter& in, std::string_view name, uint32_t s, LineCursor& found);

// Clears the function each Call line remembers; done at every run start.
void resetCallCaches(Interpreter& in);

// Calls the function whose DeclareFunction line is `function` from callLine, in the run of s.
Outcome enterFunction(Interpreter& in, uint32_t s, const LineCursor& callLine, const LineCursor& function);

void registerFunctionHandlers(DispatchTable& table);

} // namespace qel
