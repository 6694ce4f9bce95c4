#include "app/run_watchdog.h"

namespace qel {

RunWatchdog::RunWatchdog(Clock::time_point deadline, Clock::duration grace, std::function<void()> onDeadline,
                         std::function<void()> lastResort)
    : onDeadline_(std::move(onDeadline)), lastResort_(std::move(lastResort))
{
    thread_ = std::thread([this, deadline, grace] { watch(deadline, grace); });
}

void RunWatchdog::watch(Clock::time_point deadline, Clock::duration grace)
{
    std::unique_lock lock(mutex_);
    if (wake_.wait_until(lock, deadline, [this] { return finished_; }))
        return;
    onDeadline_();
    if (wake_.wait_until(lock, deadline + grace, [this] { return finished_; }))
        return;
    lastResort_();
}

void RunWatchdog::finish()
{
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

} // namespace qel
