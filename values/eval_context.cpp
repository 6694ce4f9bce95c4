#include "values/eval_context.h"

namespace qel {

EvalContext::EvalContext(VariableTable& table) : variables(table), random(clockSeed()) {}

std::string_view NumberTextRing::format(float value, uint32_t precision)
{
    char* slot = slots_[next_].data();
    next_ = (next_ + 1) % kSlots;
    size_t length = formatNumberInto(slot, value, precision);
    return std::string_view(slot, length);
}

} // namespace qel
