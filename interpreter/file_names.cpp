#include "interpreter/file_names.h"

#include "messages/run_errors.h"

namespace qel {

Result<std::string> evalFileName(EvalContext& ctx, CachedOperand& op)
{
    if (!op.operand.isVariable())
        return std::string(TRY(evalString(ctx, op)));
    const int kind = operandKind(ctx, op);
    if (kind == kKindUndeclared)
        return runError(msg::kUndeclaredReference, op.operand.name);
    if (kind != kTypeString)
        return runError(msg::kExpectingStringTypeVariable, op.operand.name);
    const Result<std::string_view> text = evalString(ctx, op);
    if (!text)
        return runError(msg::kCannotEvaluateAsString, op.operand.name);
    return std::string(*text);
}

} // namespace qel
