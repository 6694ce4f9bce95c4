#include "examples/editor_builder.h"

#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "program/system_names.h"
#include "values/editor.h"

#include <span>

namespace qel::examples {

Button KeptMessages::showMessage(std::string_view text, Icon, Buttons buttons)
{
    texts.emplace_back(text);
    return defaultButton(buttons);
}

EditorBuilder& EditorBuilder::section(uint32_t s)
{
    program_.edit.section = s;
    return *this;
}

EditorBuilder& EditorBuilder::add(std::string_view keyword, const std::vector<std::string>& fields)
{
    if (const std::optional<uint32_t> type = keywordTable().lookupKeyword(keyword))
        return add(*type, fields);
    refused(std::string(keyword) + ": no such keyword");
    return *this;
}

EditorBuilder& EditorBuilder::add(uint32_t type, const std::vector<std::string>& fields)
{
    const InstructionInfo* info = instructionInfo(type);
    const InstructionEditor* editor = info ? editorFor(info->code) : nullptr;
    program_.edit.target = -1;
    if (info && !info->fixedText.empty()) {
        if (storeThroughEditBuffer(program_, {info->code, std::string(info->fixedText), ParamBlock()}, host_))
            taken(last());
    } else if (!editor) {
        refused("type " + std::to_string(type) + ": no editor");
    } else {
        EditContext context{program_, variables_, nullptr};
        if (const auto error = runEditor(*editor, fields, context, host_))
            refused(std::string(info->keyword) + ": field " + std::to_string(error->field) + ": " +
                    noticeText(error->message));
        else
            taken(last());
    }
    return *this;
}

EditorBuilder& EditorBuilder::handlers(std::string_view handler, const std::function<void(EditorBuilder&)>& body)
{
    auto declare = [&](uint32_t s, std::span<const SystemVariable> vars, std::span<const std::string_view> names) {
        section(s);
        for (const SystemVariable& v : vars)
            add("DeclareVariable",
                variableFields(v.isString ? "String" : "Integer", std::string(v.name), v.isString ? "\"\"" : "0"));
        for (std::string_view name : names) {
            add("DeclareFunction", functionFields(std::string(name)));
            if (name == handler && body)
                body(*this);
            add("EndFunction");
        }
    };
    declare(kKeyboard, kKeyboardVariables, kKeyboardHandlers);
    declare(kMouse, kMouseVariables, kMouseHandlers);
    return section(kInitialise);
}

} // namespace qel::examples
