#include "values/value_editors.h"

#include "values/declare_variable.h"
#include "values/for_editor.h"
#include "values/if_editor.h"
#include "values/let_editor.h"
#include "values/while_editor.h"

namespace qel {

std::vector<const InstructionEditor*> valueEditors()
{
    static const DeclareVariableEditor declareVariable;
    static const LetEditor let;
    static const IfEditor ifEditor;
    static const WhileEditor whileEditor;
    static const ForEditor forEditor;
    return {&declareVariable, &let, &ifEditor, &whileEditor, &forEditor};
}

} // namespace qel
