#pragma once
// DeclareFunction: the first line of a user function.
//
//   offset  width  field
//   0       u32    block length
//   4       44     Operand: the function name (a plain name)
//   48      44     Operand: parameter 1, the variable that receives argument 1
//   92      44     Operand: parameter 2
//   136     44     Operand: parameter 3
//   180     u32    return type: 0 none, 1 Integer, 2 Floating Point, 4 String
//   184     u32    parameter mask: bit 0 parameter 1 given, bit 1 parameter 2, bit 2 parameter 3
//   188     ...    string area

#include "values/editor.h"

namespace qel {

namespace declare_function {
inline constexpr uint32_t kName = 4;
inline constexpr uint32_t kParameter[3] = {48, 92, 136};
inline constexpr uint32_t kReturnType = 180;
inline constexpr uint32_t kParameterMask = 184;
inline constexpr uint32_t kFixedBody = 184; // body bytes before the string area

// Field order of the dialog.
enum Field { kNameField, kParameter1Field, kParameter2Field, kParameter3Field, kReturnTypeField };
} // namespace declare_function

inline constexpr std::string_view kFunctionNameRequired = "Function name required.";
inline constexpr std::string_view kFunctionAlreadyExists = "Function already exists.";
inline constexpr std::string_view kVariableNameOrNothing = "Variable name or Nothing required.";

class DeclareFunctionEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return "Declare Function"; }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

// The function name a DeclareFunction block declares.
std::string_view declaredFunctionName(const ParamBlock& block);

} // namespace qel
