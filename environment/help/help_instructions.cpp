#include "environment/help/help_instructions.h"

#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "values/names.h"
#include "values/variable_table.h"

#include <algorithm>

namespace qel {

namespace {

// The variables the examples refer to.
void declareSampleVariables(VariableTable& variables, MessageHost& host)
{
    auto declare = [&](std::string_view name, uint32_t type, uint32_t arrayKind = kNotArray, int32_t dim = 1) {
        VariableDeclaration d;
        d.name = name;
        d.type = type;
        d.arrayKind = arrayKind;
        d.dim1 = dim;
        variables.createVariable(d, host);
    };
    for (std::string_view name : {"X", "Y", "N", "I", "Score", "Width", "Height", "Length", "Choice"})
        declare(name, kTypeInteger);
    for (std::string_view name : {"Name", "Text", "Reply", "Time", "Date", "Line", "Path"})
        declare(name, kTypeString);
    declare("Picture", kTypeBitmap);
    declare("Data", kTypeFile);
}

// Examples are built where no message can reach the user.
class SilentHost : public MessageHost {
public:
    Button showMessage(std::string_view, Icon, Buttons buttons) override { return defaultButton(buttons); }
};

} // namespace

const InstructionDescriptor* instructionHelpFor(uint32_t type)
{
    const InstructionDescriptor* d = descriptorFor(type);
    return d && !d->help.summary.empty() ? d : nullptr;
}

std::optional<std::string> exampleLine(const InstructionDescriptor& instruction)
{
    const InstructionHelp& help = instruction.help;
    const InstructionInfo* info = instructionInfo(instruction.type);
    if (info && !info->fixedText.empty())
        return std::string(info->fixedText);
    if (const InstructionEditor* editor = instruction.editor; editor && !help.sample.empty()) {
        SilentHost host;
        Program program;
        VariableTable variables;
        declareSampleVariables(variables, host);
        std::vector<std::string> values(help.sample.begin(), help.sample.end());
        values.resize(std::max(values.size(), editor->fields().size()));
        EditContext context{program, variables, nullptr};
        EditOutcome outcome = editor->accept(values, context);
        if (outcome.ok())
            return outcome.line.text;
    }
    if (!help.writtenExample.empty())
        return std::string(help.writtenExample);
    return std::nullopt;
}

std::optional<uint32_t> instructionTypeForTopic(std::string_view topic)
{
    if (const std::optional<uint32_t> type = keywordTable().lookupKeyword(topic))
        return type;
    for (const InstructionInfo& info : allInstructions())
        if (!info.listLabel.empty() && sameName(info.listLabel, topic))
            return info.code;
    return std::nullopt;
}

} // namespace qel
