#include "interpreter/interpreter_editors.h"

#include "interpreter/declare_function.h"

namespace qel {

std::vector<const InstructionEditor*> interpreterEditors()
{
    static const DeclareFunctionEditor declareFunction;
    return {&declareFunction};
}

} // namespace qel
