#pragma once
// A file name operand of an instruction; the names' rules are in program/file_names.h.

#include "base/result.h"
#include "program/file_names.h"
#include "values/evaluate.h"

#include <string>
#include <string_view>

namespace qel {

// A file name operand: a string constant as stored, or a String variable ("Reference to undeclared
// variable - ", "Expecting variable of type String but found variable - ", "Can't evaulate variable
// as String - ", each followed by the name).
[[nodiscard]] Result<std::string> evalFileName(EvalContext& ctx, CachedOperand& op);

} // namespace qel
