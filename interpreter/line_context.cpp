#include "interpreter/line_context.h"

#include "messages/run_errors.h"
#include "program/file_names.h"

#include <string>

namespace qel {

Failure LineContext::windowsCallFailed(std::string_view detail)
{
    state_.host.showMessage(msg::kWindowsErrorNotice, Icon::Error);
    return Failure(std::string(msg::kWindowsCallFailed) + std::string(detail));
}

void LineContext::pumpAfterThisLine() { state_.iterations = kPumpInterval - 1; }

std::string LineContext::resolvePath(std::string_view name) const
{
    return resolveRelativeTo(state_.programFolder, name);
}

} // namespace qel
