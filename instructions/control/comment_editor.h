#pragma once
// The editor of Comment lines: the line's display text is the comment itself and its block is
// empty. One field, "&Comment", of at most 1,024 characters (anything longer is cut there).

#include "base/translatable.h"
#include "values/editor.h"

namespace qel {

class CommentEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Comment"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
