#pragma once
// The editor of DeclareFunction, the first line of a user function (its block is drawn in
// interpreter/function_blocks.h).

#include "base/translatable.h"
#include "interpreter/function_blocks.h"
#include "values/editor.h"

namespace qel {

namespace declare_function {

// Field order of the dialog.
enum Field { kNameField, kParameter1Field, kParameter2Field, kParameter3Field, kReturnTypeField };
} // namespace declare_function

inline constexpr std::string_view kFunctionNameRequired = QT_TRANSLATE_NOOP("qel", "Function name required.");
inline constexpr std::string_view kFunctionAlreadyExists = QT_TRANSLATE_NOOP("qel", "Function already exists.");
inline constexpr std::string_view kVariableNameOrNothing =
    QT_TRANSLATE_NOOP("qel", "Variable name or Nothing required.");

class DeclareFunctionEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Declare Function"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
