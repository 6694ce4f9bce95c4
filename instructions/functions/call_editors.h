#pragma once
// The editors of the lines that call and leave user functions: Call, CallUsing and Return. Their
// blocks are drawn in interpreter/function_blocks.h.
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

#include "base/translatable.h"
#include "interpreter/function_blocks.h"
#include "messages/editor_messages.h"
#include "values/editor.h"

namespace qel {

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

inline constexpr std::string_view kVariableOrNothing = QT_TRANSLATE_NOOP("qel", "Variable or Nothing required.");
inline constexpr std::string_view kNumericOrStringVariable =
    QT_TRANSLATE_NOOP("qel", "Numeric or String variable required.");
inline constexpr std::string_view kReturnInvalidExpression = QT_TRANSLATE_NOOP("qel", "InvalidExpression.");

class CallEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Call A Function"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class CallUsingEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Call Using A Variable"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class ReturnEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Return From A Function"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
