#pragma once
// The editor of While lines ("While"): one comparison of a variable with a value.
//
// Fields, in order:
//   0 "&Variable"    a variable reference
//   1 "&Condition"   list: Greater Than, Less Than, Greater Than or Equal, Less Than or Equal, Equal,
//                    Not Equal (opening with the first chosen)
//   2 "Va&lue"       a variable reference or a literal
//
// Display text: "While I Less Than 10".

#include "base/translatable.h"
#include "values/editor.h"
#include "values/editor_fields.h"

namespace qel {

namespace while_fields {
inline constexpr int kVariable = 0;
inline constexpr int kCondition = 1;
inline constexpr int kValue = 2;
inline constexpr int kCount = 3;
} // namespace while_fields

class WhileEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "While"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
