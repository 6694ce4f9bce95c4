#pragma once
// The editors of the string and date-time instructions (layouts in string_instructions.h). Every
// field is an operand typed into a combo box of the program's variables. Fields, in dialog order,
// with the block offset each one fills:
//
//   StringLength       "Get A String's Length":         0 "&String Variable" (4), 1 "Save &Length In" (48)
//   StringToNumeric    "Convert A String To A Number":  0 "&String Variable" (4), 1 "&Numeric Variable" (48)
//   StringFromNumeric  "Convert A Number To A String":  0 "&Numeric Variable" (48), 1 "&String Variable" (4)
//   GetTimeAndDate     "Get Time And Date":             0 "&Time" (4), 1 "&Date" (48)
//   StringPart         "Extract Part Of A String":      0 "S&ource String" (4), 1 "&Start From" (92),
//                                                       2 "&Finish At" (136), 3 "&Destination String" (48)
//
// Each field must be a variable reference, except StringPart's Start From and Finish At, which may
// also be a numeric constant. The line's text is the keyword, a blank, then the fields' texts in
// dialog order separated by ", ": "StringPart Name, 2, Last, Part".

#include "messages/editor_messages.h"
#include "values/form_editor.h"

#include <span>
#include <vector>

namespace qel {

struct StringOperandField {
    std::string_view label;
    uint32_t slot;                // block offset of the operand
    bool constantAllowed = false; // a numeric constant as well as a variable
};

struct StringInstructionForm {
    uint32_t type;
    std::string_view title;
    uint32_t fixedBody;
    std::span<const StringOperandField> fields; // dialog order
};

class StringInstructionEditor final : public FormEditor<StringInstructionForm> {
public:
    using FormEditor::FormEditor;
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

// The editors of StringLength, StringToNumeric, StringFromNumeric, GetTimeAndDate and StringPart.
std::vector<const InstructionEditor*> stringEditors();

} // namespace qel
