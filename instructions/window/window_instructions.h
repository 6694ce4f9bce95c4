#pragma once
// WindowClear and WindowGetSize: filling the run-time window with a colour, and reading its size.
//
// WindowClear (type 2):                   WindowGetSize (type 21):
//   offset  width  field                    offset  width  field
//   0       u32    4                        0       u32    block length
//   4       u32    colour number 0-15       4       44     Operand: numeric variable for the width
//                                           48      44     Operand: numeric variable for the height
//                                           92      ...    string area

#include "base/translatable.h"
#include "interpreter/dispatch.h"
#include "values/editor.h"

namespace qel {

namespace window_block {
inline constexpr uint32_t kColour = 4;
inline constexpr uint32_t kClearBody = 4;
inline constexpr uint32_t kWidth = 4;
inline constexpr uint32_t kHeight = 48;
inline constexpr uint32_t kSizeBody = 88;
} // namespace window_block

class WindowClearEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Clear Window"); }
    std::vector<FieldSpec> fields() const override; // 0 "&Colour" (the colour list)
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class WindowGetSizeEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Get Window Size"); }
    std::vector<FieldSpec> fields() const override; // 0 "&Width", 1 "&Height"
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
