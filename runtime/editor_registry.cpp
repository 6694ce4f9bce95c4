#include "runtime/editor_registry.h"

#include "interpreter/declare_function.h"
#include "program/instruction_table.h"
#include "runtime/text_file_open.h"
#include "values/declare_variable.h"

#include <array>

namespace qel {

namespace {

struct Editors {
    DeclareVariableEditor declareVariable;
    DeclareFunctionEditor declareFunction;
    TextFileOpenEditor textFileOpen;

    std::array<const InstructionEditor*, kLastLineType + 1> byType{};

    Editors()
    {
        for (const InstructionEditor* e : {static_cast<const InstructionEditor*>(&declareVariable),
                                           static_cast<const InstructionEditor*>(&declareFunction),
                                           static_cast<const InstructionEditor*>(&textFileOpen)})
            byType[e->type()] = e;
    }
};

} // namespace

const InstructionEditor* editorFor(uint32_t type)
{
    static const Editors editors;
    return type <= kLastLineType ? editors.byType[type] : nullptr;
}

} // namespace qel
