#pragma once
// The last line of `qeltool run --timeout`: a thread that, when the time is up, asks the run to end
// (onDeadline) and, if the run has still not ended a moment later, ends it the hard way (lastResort,
// which does not return; it ends the process). finish() once the run is over: nothing more happens.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace qel {

class RunWatchdog {
public:
    using Clock = std::chrono::steady_clock;

    RunWatchdog(Clock::time_point deadline, Clock::duration grace, std::function<void()> onDeadline,
                std::function<void()> lastResort);
    RunWatchdog(const RunWatchdog&) = delete;
    RunWatchdog& operator=(const RunWatchdog&) = delete;
    ~RunWatchdog() { finish(); }

    // The run has ended; waits for a deadline action already under way.
    void finish();

private:
    void watch(Clock::time_point deadline, Clock::duration grace);

    std::function<void()> onDeadline_;
    std::function<void()> lastResort_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool finished_ = false;
    std::thread thread_;
};

// When a time limit of `seconds` that started at `start` runs out.
inline RunWatchdog::Clock::time_point deadlineAfter(RunWatchdog::Clock::time_point start, double seconds)
{
    return start + std::chrono::duration_cast<RunWatchdog::Clock::duration>(std::chrono::duration<double>(seconds));
}

} // namespace qel
