#pragma once
// The blocks of the lines that declare and call user functions. The interpreter reads them when it
// looks up a function, enters one for a call or an event, and leaves it; the functions family owns
// their editors and handlers.
//
// DeclareFunction (type 46):                 Call (type 1); CallUsing (type 61):
//   offset  width  field                       offset  width  field
//   0       u32    block length                0       u32    block length
//   4       44     Operand: the function name  4       44     Operand: function name (CallUsing: its prefix)
//   48      44     Operand: parameter 1        48      44     Operand: argument 1
//   92      44     Operand: parameter 2        92      44     Operand: argument 2
//   136     44     Operand: parameter 3        136     44     Operand: argument 3
//   180     u32    return type: 0 none,        180     44     Operand: "Return Into" variable (empty:
//                  1 Integer, 2 Floating Point,               the result is not wanted)
//                  4 String                    224     u32    argument mask: bits 0 to 2 arguments given;
//   184     u32    parameter mask: bit 0                      bit 3 (CallUsing) allow a missing target
//                  parameter 1 given, bit 1    228     u32    run-time cache (always 0 when stored)
//                  parameter 2, bit 2 param. 3 232     u32    run-time cache (always 0 when stored)
//   188     ...    string area                 236     ...    Call: string area
//                                              236     44     CallUsing: Operand of the control variable
//                                              280     ...    CallUsing: string area
// Return (type 28):
//   0       u32    block length
//   4       44     Operand: the returned value
//   48      u32    1 when a value is given, 0 for a bare Return
//   52      ...    string area

#include "program/param_block.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qel {

namespace declare_function {
inline constexpr uint32_t kName = 4;
inline constexpr uint32_t kParameter[3] = {48, 92, 136};
inline constexpr uint32_t kReturnType = 180;
inline constexpr uint32_t kParameterMask = 184;
inline constexpr uint32_t kFixedBody = 184; // body bytes before the string area
} // namespace declare_function

namespace call_block {
inline constexpr uint32_t kName = 4;
inline constexpr uint32_t kArgument[3] = {48, 92, 136};
inline constexpr uint32_t kReturnInto = 180;
inline constexpr uint32_t kMask = 224;
inline constexpr uint32_t kControlVariable = 236;
inline constexpr uint32_t kAllowMissingTarget = 8;
inline constexpr uint32_t kCallFixedBody = 232;      // body bytes before Call's string area
inline constexpr uint32_t kCallUsingFixedBody = 276; // CallUsing's, the control variable included
// Slots of the decoded operands, in block order.
inline constexpr size_t kNameSlot = 0;
inline constexpr size_t kReturnIntoSlot = 4;
inline constexpr size_t kControlSlot = 5;
} // namespace call_block

namespace return_block {
inline constexpr uint32_t kValue = 4;
inline constexpr uint32_t kValueGiven = 48;
inline constexpr uint32_t kFixedBody = 48;
} // namespace return_block

// The function name a DeclareFunction block declares.
std::string_view declaredFunctionName(const ParamBlock& block);

} // namespace qel
