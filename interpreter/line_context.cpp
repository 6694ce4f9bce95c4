#include "interpreter/line_context.h"

#include "interpreter/file_names.h"
#include "messages/run_errors.h"

#include <string>

namespace qel {

Failure LineContext::windowsCallFailed(std::string_view detail)
{
    state_.host.showMessage(msg::kWindowsErrorNotice, Icon::Error);
    return Failure(std::string(msg::kWindowsCallFailed) + std::string(detail));
}

std::string LineContext::resolvePath(std::string_view name) const
{
    return resolveProgramFile(state_.programPath, name);
}

void LineContext::pumpAfterThisLine() { state_.iterations = kPumpInterval - 1; }

} // namespace qel
