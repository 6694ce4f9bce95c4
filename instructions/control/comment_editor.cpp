#include "instructions/control/comment_editor.h"
#include "base/translatable.h"

#include "program/instruction_table.h"

namespace qel {

uint32_t CommentEditor::type() const { return kComment; }

std::vector<FieldSpec> CommentEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&Comment"), FieldKind::Text, {}, static_cast<int>(kMaxLineText)}};
}

std::vector<std::string> CommentEditor::decode(const ProgramLine& line) const { return {line.text}; }

EditOutcome CommentEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    std::string text = values.empty() ? std::string() : values[0].substr(0, kMaxLineText);
    return {std::nullopt, {kComment, std::move(text), ParamBlock()}};
}

} // namespace qel
