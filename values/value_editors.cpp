#include "values/value_editors.h"

#include "values/declare_variable.h"

namespace qel {

std::vector<const InstructionEditor*> valueEditors()
{
    static const DeclareVariableEditor declareVariable;
    return {&declareVariable};
}

} // namespace qel
