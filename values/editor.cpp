#include "values/editor.h"

namespace qel {

bool InstructionEditor::store(const EditedLine& line, EditContext& context, MessageHost& host) const
{
    return storeThroughEditBuffer(context.program, line, host);
}

bool storeThroughEditBuffer(Program& program, const EditedLine& line, MessageHost& host)
{
    program.edit.type = line.type;
    program.edit.text = line.text;
    program.edit.block = line.block;
    return program.saveLine(host);
}

std::optional<FieldError> runEditor(const InstructionEditor& editor, const std::vector<std::string>& values,
                                    EditContext& context, MessageHost& host)
{
    EditOutcome outcome = editor.accept(values, context);
    if (outcome.error) {
        host.showNotice(outcome.error->message, outcome.error->icon);
        return outcome.error;
    }
    (void)editor.store(outcome.line, context, host); // a failed store has told the user
    return std::nullopt;
}

} // namespace qel
