#include "instructions/functions/declare_function.h"
#include "base/translatable.h"

#include "messages/editor_messages.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/names.h"
#include "values/operand.h"
#include "values/variable_table.h"

namespace qel {

using namespace declare_function;

namespace {

// The return-type list: item text and the code stored for it.
struct ReturnType {
    std::string_view item;
    uint32_t code;
    std::string_view suffix;
};
constexpr ReturnType kReturnTypes[] = {
    {"(Nothing)", 0, ""},
    {kIntegerTypeName, 1, " Returning Integer"},
    {kFloatTypeName, 2, " Returning Floating Point"},
    {"String", 4, " Returning String"},
};

const ReturnType& returnTypeOfItem(std::string_view item)
{
    for (const ReturnType& r : kReturnTypes)
        if (r.item == item)
            return r;
    return kReturnTypes[0];
}

const ReturnType& returnTypeOfCode(uint32_t code)
{
    for (const ReturnType& r : kReturnTypes)
        if (r.code == code)
            return r;
    return kReturnTypes[0];
}

std::string trimmed(std::string_view text)
{
    size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return {};
    size_t e = text.find_last_not_of(' ');
    return std::string(text.substr(b, e - b + 1));
}

bool functionExists(const Program& program, std::string_view name, const ProgramLine* except)
{
    for (const Section& s : program.sections)
        for (const ProgramLine& line : s.lines)
            if (line.type == kDeclareFunction && &line != except && sameName(declaredFunctionName(line.block), name))
                return true;
    return false;
}

} // namespace

uint32_t DeclareFunctionEditor::type() const { return kDeclareFunction; }

std::vector<FieldSpec> DeclareFunctionEditor::fields() const
{
    std::vector<std::string> items;
    for (const ReturnType& r : kReturnTypes)
        items.emplace_back(r.item);
    return {
        {std::string(kFunctionNameLabel), FieldKind::Text, {}, 20},
        {std::string(kParameterLabels[0]), FieldKind::Variable, {}, 20},
        {std::string(kParameterLabels[1]), FieldKind::Variable, {}, 20},
        {std::string(kParameterLabels[2]), FieldKind::Variable, {}, 20},
        {QT_TRANSLATE_NOOP("qel", "&Return Type"), FieldKind::List, items, 0},
    };
}

std::vector<std::string> DeclareFunctionEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& b = line.block;
    std::vector<std::string> values(5);
    values[kNameField] = std::string(b.textField(kName));
    for (int k = 0; k < 3; ++k)
        values[kParameter1Field + k] = std::string(b.textField(kParameter[k]));
    values[kReturnTypeField] = std::string(returnTypeOfCode(b.u32(kReturnType)).item);
    return values;
}

EditOutcome DeclareFunctionEditor::accept(const std::vector<std::string>& values, EditContext& context) const
{
    auto value = [&](int field) {
        return field < static_cast<int>(values.size()) ? trimmed(values[field]) : std::string();
    };
    std::string name = value(kNameField);
    if (!isName(name))
        return {FieldError{kNameField, {kFunctionNameRequired, {}}}, {}};
    if (functionExists(context.program, name, context.editing))
        return {FieldError{kNameField, {kFunctionAlreadyExists, {}}}, {}};

    std::string parameters[3];
    for (int k = 0; k < 3; ++k) {
        parameters[k] = value(kParameter1Field + k);
        if (!parameters[k].empty() && !isName(parameters[k]))
            return {FieldError{kParameter1Field + k, {kVariableNameOrNothing, {}}}, {}};
    }
    const ReturnType& returns = returnTypeOfItem(value(kReturnTypeField));

    BlockWriter w(kFixedBody);
    writeOperand(w, kName, classifyField(name));
    uint32_t mask = 0;
    std::string list;
    for (int k = 0; k < 3; ++k) {
        writeOperand(w, kParameter[k], classifyField(parameters[k]));
        if (parameters[k].empty())
            continue;
        mask |= 1u << k;
        list += (list.empty() ? "" : ", ") + parameters[k];
    }
    w.setU32(kReturnType, returns.code);
    w.setU32(kParameterMask, mask);

    EditedLine line{kDeclareFunction, "DeclareFunction " + name, w.finish()};
    if (!list.empty())
        line.text += " (" + list + ")";
    line.text += returns.suffix;
    return {std::nullopt, std::move(line)};
}

} // namespace qel
