#include "examples/editor_builder.h"

#include "instructions/catalogue.h"
#include "instructions/text/text_editors.h"
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
    const std::optional<uint32_t> type = keywordTable().lookupKeyword(keyword);
    if (!type) {
        messages.texts.push_back("unknown keyword " + std::string(keyword));
        return *this;
    }
    program_.edit.target = -1;
    const InstructionInfo* info = instructionInfo(*type);
    if (!info->fixedText.empty()) {
        storeThroughEditBuffer(program_, {info->code, std::string(info->fixedText), ParamBlock()}, messages);
        return *this;
    }
    const InstructionEditor* editor = editorFor(info->code);
    if (!editor) {
        messages.texts.push_back("no editor for " + std::string(keyword));
        return *this;
    }
    EditContext context{program_, variables_, nullptr};
    runEditor(*editor, fields, context, messages); // a refused field's message is kept
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

std::vector<std::string> variableFields(std::string type, std::string name, std::string initial)
{
    return {std::move(type), "Not an Array", "", "", std::move(name), std::move(initial), "", "", "", "", "", ""};
}

std::vector<std::string> letFields(std::string dest, std::string a, std::string op1, std::string b, std::string op2,
                                   std::string c)
{
    return {
        std::move(dest), "", std::move(a), std::move(op1), std::move(b), std::move(op2), std::move(c), "", "", "", ""};
}

std::vector<std::string> ifFields(std::string variable, std::string comparison, std::string value)
{
    std::vector<std::string> fields{"", std::move(variable), std::move(comparison), std::move(value)};
    fields.resize(17);
    return fields;
}

std::vector<std::string> forFields(std::string counter, std::string start, std::string end)
{
    return {std::move(counter), std::move(start), std::move(end), ""};
}

std::vector<std::string> callFields(std::string name, std::string into, std::string p1)
{
    return {std::move(name), std::move(into), std::move(p1), "", ""};
}

std::vector<std::string> functionFields(std::string name, std::string p1, std::string returns)
{
    return {std::move(name), std::move(p1), "", "", std::move(returns)};
}

std::vector<std::string> drawTextFields(std::string left, std::string top, std::string right, std::string bottom,
                                        std::string text, int alignment, bool transparent)
{
    std::vector<std::string> fields = {
        std::move(left), std::move(top), std::move(right), std::move(bottom), std::move(text), "", "", "", "", "", ""};
    fields[static_cast<size_t>(draw_text_fields::kAlignFirst) + static_cast<size_t>(alignment)] = "1";
    fields[transparent ? draw_text_fields::kTransparent : draw_text_fields::kOpaque] = "1";
    return fields;
}

} // namespace qel::examples
