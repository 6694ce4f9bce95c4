#pragma once
// The editors of the lines that call and leave user functions: Call, CallUsing and Return.
//
// Call (type 1):
//   offset  width  field
//   0       u32    block length
//   4       44     Operand: the function name (a plain name)
//   48      44     Operand: argument 1 (a variable or a literal)
//   92      44     Operand: argument 2
//   136     44     Operand: argument 3
//   180     44     Operand: the "Return Into" variable; empty when the result is not wanted
//   224     u32    argument mask: bit 0 argument 1 given, bit 1 argument 2, bit 2 argument 3
//   228     u32    run-time cache: the DeclareFunction line found (always 0 in a stored block)
//   232     u32    run-time cache: the section of that line (always 0 in a stored block)
//   236     ...    string area
//
// CallUsing (type 61): the same words at the same offsets, where the name at 4 is the prefix of
// the function's name and bit 3 of the mask is "Allow Missing Target"; then
//   236     44     Operand: the control variable, whose value completes the name
//   280     ...    string area
//
// Return (type 28):
//   0       u32    block length
//   4       44     Operand: the returned value (a variable or a literal)
//   48      u32    1 when a value is given, 0 for a bare Return
//   52      ...    string area
//
// Fields, in order:
//   Call:      0 "Function &Name", 1 "&Return Into", 2..4 "Parameter &1".."Parameter &3"
//   CallUsing: 0 "Function &Prefix", 1 "Control &Variable", 2 "Allow &Missing Target" (check box),
//              3 "&Return Into", 4..6 "Parameter &1".."Parameter &3"
//   Return:    0 "&Value" (may be left empty)
//
// Display texts (arguments are listed up to the last one given; a gap shows as an empty item):
//   Call Area (W, 5) Into Result        Call Redraw
//   CallUsing Show + Choice (X) Into R  CallUsing Show + Choice Allowing Missing Target
//   Return                              Return (Total)

#include "interpreter/functions.h"
#include "values/editor.h"

namespace qel {

// Offsets the handlers read too (name, Return Into, mask, control variable, value flag) are in
// functions.h; these are the rest of the layout, which only the editors need.
namespace call_editor {
inline constexpr uint32_t kArgument[3] = {48, 92, 136};
inline constexpr uint32_t kCallFixedBody = 232;      // body bytes before Call's string area
inline constexpr uint32_t kCallUsingFixedBody = 276; // CallUsing's, the control variable included
inline constexpr uint32_t kReturnValue = 4;
inline constexpr uint32_t kReturnFixedBody = 48;
} // namespace call_editor

namespace call_fields {
enum CallField { kName, kReturnInto, kParameter1, kParameter2, kParameter3, kCallCount };
enum CallUsingField {
    kPrefix,
    kControl,
    kAllowMissing,
    kUsingReturnInto,
    kUsingParameter1,
    kUsingParameter2,
    kUsingParameter3,
    kCallUsingCount,
};
} // namespace call_fields

inline constexpr std::string_view kVariableOrNothing = "Variable or Nothing required.";
inline constexpr std::string_view kInvalidExpression = "Invalid expression.";
inline constexpr std::string_view kNumericOrStringVariable = "Numeric or String variable required.";
inline constexpr std::string_view kReturnInvalidExpression = "InvalidExpression.";

class CallEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return "Call A Function"; }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class CallUsingEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return "Call Using A Variable"; }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class ReturnEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return "Return From A Function"; }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
