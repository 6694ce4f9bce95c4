#pragma once
// The editor of For lines ("For"), and the For block.
//
// For block (type 17):
//   offset  width  field
//   0       u32    block length
//   4       44     Operand: counter variable
//   48      44     Operand: start value
//   92      44     Operand: end value
//   136     44     Operand: step value
//   180     u32    1 when a step is given, 0 otherwise
//   184     ...    string area
//
// Fields, in order: 0 "&Control Variable" (a variable reference), 1 "&Starting Value" and
// 2 "&Finishing Value" (a variable reference or a number), 3 "Ste&p" (the same, or empty).
// Display text: "For I = 1 To 10", with " Step 2" when a step is given.

#include "base/translatable.h"
#include "messages/editor_messages.h"
#include "values/editor.h"
#include "values/editor_fields.h"

namespace qel {

namespace for_block {
inline constexpr uint32_t kCounter = 4;
inline constexpr uint32_t kStart = 48;
inline constexpr uint32_t kEnd = 92;
inline constexpr uint32_t kStep = 136;
inline constexpr uint32_t kStepGiven = 180;
inline constexpr uint32_t kFixedBody = 180;
// The decoded operands in block order.
inline constexpr size_t kCounterSlot = 0, kStartSlot = 1, kEndSlot = 2, kStepSlot = 3;
} // namespace for_block

namespace for_fields {
inline constexpr int kCounter = 0;
inline constexpr int kStart = 1;
inline constexpr int kEnd = 2;
inline constexpr int kStep = 3;
inline constexpr int kCount = 4;
} // namespace for_fields

class ForEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "For"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
