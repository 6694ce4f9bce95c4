#include "document/program_template.h"

#include "instructions/functions/declare_function.h"
#include "instructions/variables/declare_variable.h"
#include "program/instruction_table.h"
#include "program/system_names.h"
#include "values/variable_table.h"

namespace qel {

namespace {

void appendThrough(const InstructionEditor& editor, const std::vector<std::string>& values, EditContext& context,
                   MessageHost& host)
{
    context.program.edit.target = -1;
    runEditor(editor, values, context, host);
}

void declareSystemVariables(std::span<const SystemVariable> list, EditContext& context, MessageHost& host)
{
    DeclareVariableEditor editor;
    for (const SystemVariable& v : list) {
        std::vector<std::string> values(12);
        values[0] = v.isString ? "String" : "Integer";
        values[1] = "Not an Array";
        values[4] = std::string(v.name);
        values[5] = v.isString ? "\"\"" : "0";
        appendThrough(editor, values, context, host);
    }
}

void declareHandlers(std::span<const std::string_view> names, EditContext& context, MessageHost& host)
{
    DeclareFunctionEditor editor;
    for (std::string_view name : names) {
        appendThrough(editor, {std::string(name), "", "", "", "(Nothing)"}, context, host);
        context.program.edit.target = -1;
        storeThroughEditBuffer(context.program, {kEndFunction, "EndFunction", ParamBlock()}, host);
    }
}

} // namespace

void newProgramWithHandlers(Program& program, VariableTable& variables, MessageHost& host)
{
    variables.clearAllVariables();
    program.newProgram();
    EditContext context{program, variables, nullptr};

    program.edit.section = kKeyboard;
    declareSystemVariables(kKeyboardVariables, context, host);
    declareHandlers(kKeyboardHandlers, context, host);

    program.edit.section = kMouse;
    declareSystemVariables(kMouseVariables, context, host);
    declareHandlers(kMouseHandlers, context, host);

    program.edit.section = kInitialise;
    program.edit.target = -1;
}

} // namespace qel
