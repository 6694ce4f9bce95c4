#include "interpreter/interpreter_editors.h"

#include "interpreter/call_editors.h"
#include "interpreter/comment_editor.h"
#include "interpreter/declare_function.h"

namespace qel {

std::vector<const InstructionEditor*> interpreterEditors()
{
    static const DeclareFunctionEditor declareFunction;
    static const CallEditor call;
    static const CallUsingEditor callUsing;
    static const ReturnEditor returnEditor;
    static const CommentEditor comment;
    return {&declareFunction, &call, &callUsing, &returnEditor, &comment};
}

} // namespace qel
