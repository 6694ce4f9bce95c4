#include "runtime/editor_registry.h"

#include "interpreter/interpreter_editors.h"
#include "program/instruction_table.h"
#include "runtime/runtime_editors.h"
#include "values/value_editors.h"

#include <array>

namespace qel {

namespace {

std::array<const InstructionEditor*, kLastLineType + 1> gatherEditors()
{
    std::array<const InstructionEditor*, kLastLineType + 1> byType{};
    for (const auto& list : {valueEditors(), interpreterEditors(), runtimeEditors()})
        for (const InstructionEditor* e : list)
            byType[e->type()] = e;
    return byType;
}

} // namespace

const InstructionEditor* editorFor(uint32_t type)
{
    static const auto editors = gatherEditors();
    return type <= kLastLineType ? editors[type] : nullptr;
}

} // namespace qel
