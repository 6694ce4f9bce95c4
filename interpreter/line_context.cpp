#include "interpreter/line_context.h"

#include "interpreter/file_names.h"
#include "messages/run_errors.h"
#include "program/file_names.h"

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

std::string LineContext::programFolder() const { return qel::programFolder(state_.programPath); }

void LineContext::pumpAfterThisLine() { state_.iterations = kPumpInterval - 1; }

void LineContext::sleepFor(std::chrono::milliseconds duration)
{
    std::unique_lock lock(state_.sleepMutex);
    state_.sleepWake.wait_for(lock, duration, [this] { return state_.interrupted.load(std::memory_order_relaxed); });
}

} // namespace qel
