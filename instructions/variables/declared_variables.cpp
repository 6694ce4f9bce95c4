#include "instructions/variables/declared_variables.h"

#include "program/instruction_table.h"

namespace qel {

using namespace declare_block;

std::vector<std::string_view> declaredNames(const ParamBlock& block)
{
    std::vector<std::string_view> names;
    for (int k = 0; k < kVariables; ++k)
        if (std::string_view name = block.textField(nameField(k)); !name.empty())
            names.push_back(name);
    return names;
}

bool createVariablesOfLine(VariableTable& table, const ParamBlock& block, MessageHost& host,
                           VariableTable::Elements elements)
{
    VariableDeclaration d;
    d.type = block.u32(kType);
    d.arrayKind = block.u32(kArrayKind);
    d.dim1 = block.i32(kDim1);
    d.dim2 = block.i32(kDim2);
    for (int k = 0; k < kVariables; ++k) {
        d.name = block.textField(nameField(k));
        if (d.name.empty())
            continue;
        d.initialInteger = block.i32(initialField(k));
        d.initialFloat = block.f32(initialField(k));
        d.initialText = d.type == kTypeString ? block.textField(initialField(k)) : std::string_view();
        if (!table.createVariable(d, host, elements))
            return false;
    }
    return true;
}

void removeVariablesOfLine(VariableTable& table, const ParamBlock& block)
{
    for (std::string_view name : declaredNames(block))
        table.removeVariable(name);
}

bool createDeclaredVariables(VariableTable& table, const Program& program, uint32_t section, MessageHost& host)
{
    for (const ProgramLine& line : program.sections[section].lines)
        if (line.type == kDeclareVariable &&
            !createVariablesOfLine(table, line.block, host, VariableTable::Elements::AtRunStart))
            return false;
    return true;
}

bool deleteProgramLine(Program& program, VariableTable& table, long n, MessageHost& host)
{
    const ProgramLine* line = n > 0 ? program.lineAt(program.edit.section, n) : nullptr;
    if (line && line->type == kDeclareVariable)
        removeVariablesOfLine(table, line->block);
    return program.deleteLine(program.edit.section, n, host);
}

} // namespace qel
