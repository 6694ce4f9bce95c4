#include "values/eval_context.h"

#include "values/run_messages.h"

#include <chrono>

namespace qel {

EvalContext::EvalContext(VariableTable& table)
    : variables(table), random(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()))
{}

std::string_view NumberTextRing::format(float value, uint32_t precision)
{
    char* slot = slots_[next_].data();
    next_ = (next_ + 1) % kSlots;
    size_t length = formatNumberInto(slot, value, precision);
    return std::string_view(slot, length);
}

namespace {

bool compose(std::string& out, std::string_view header, std::string_view message, std::string_view detail)
{
    out.assign(header);
    out.append(message);
    out.append(detail);
    return false;
}

} // namespace

bool EvalContext::runError(std::string_view message, std::string_view detail)
{
    return compose(runErrorText, msg::kRunTimeError, message, detail);
}

bool EvalContext::internalError(std::string_view message, std::string_view detail)
{
    return compose(runErrorText, msg::kInternalError, message, detail);
}

} // namespace qel
