// The run loop: executes the lines of one section by dispatching on each line's type code, with
// breakpoints, Stop, single stepping, profiling and the event pump.

#include "interpreter/interpreter.h"

#include <limits>

namespace qel {

namespace {

constexpr std::string_view kBreakpointFound = "Breakpoint found";
constexpr std::string_view kStopFound = "\"Stop\" instruction found";
constexpr std::string_view kUnexpectedEnd = "Unexpected end of instructions";

using Clock = std::chrono::steady_clock;

uint64_t ticksBetween(Clock::time_point a, Clock::time_point b)
{
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(b - a).count());
}

} // namespace

bool Interpreter::atBreakpoint(const LineCursor& line) const
{
    for (const Breakpoint& b : breakpoints)
        if (b.section == line.section && b.line == line.index)
            return true;
    return false;
}

// Pauses the run at a line: the user is told why (when there is a message), then the program view
// marks the line.
void Interpreter::pause(const LineCursor& at, std::string_view message)
{
    runFlags |= kFlagPaused;
    stopLine = at;
    if (!message.empty())
        host.showMessage(message, Icon::Information);
    host.markPausedLine(at.section, at.index);
    host.showLine(at.section, at.index);
}

void Interpreter::startProfile()
{
    for (uint32_t s = 0; s < kSectionCount; ++s)
        profile.ticks[s].assign(program.sections[s].lineCount(), 0);
    profile.total = 0;
    // The cost of one pair of clock readings, taken off every line's time.
    uint64_t sum = 0;
    for (int i = 0; i < 100; ++i) {
        auto a = Clock::now();
        auto b = Clock::now();
        sum += ticksBetween(a, b);
    }
    profile.counterOverhead = (sum + 50) / 100;
}

void Interpreter::profileLine(const LineCursor& line, Clock::time_point start)
{
    uint64_t ticks = ticksBetween(start, Clock::now());
    ticks = ticks > profile.counterOverhead ? ticks - profile.counterOverhead : 0;
    auto& table = profile.ticks[line.section];
    if (line.index < table.size())
        table[line.index] += ticks;
    profile.total += ticks;
}

// A Stop line pauses the run once it has been passed.
void Interpreter::pauseAfterStop(uint32_t s)
{
    runFlags &= ~kFlagStopExecuted;
    pause(cursors[s], kStopFound);
}

// What the loop does after a line that did not simply succeed; kGoOn when the run goes on.
constexpr int kGoOn = std::numeric_limits<int>::min(); // never a line index, -1 or -2

int Interpreter::afterLine(Outcome outcome, uint32_t s)
{
    LineCursor& cur = cursors[s];
    switch (outcome) {
    case Outcome::Next: break;
    case Outcome::Fail: currentSection = cur.section; return static_cast<int>(cur.index);
    case Outcome::EndSection: return kRunFinished;
    case Outcome::Exit: return kRunExit;
    case Outcome::Quit: endRun(kRunFinished, kInitialise); return kRunFinished;
    }
    if (cur.index + 1 >= lineRuns[cur.section].size()) {
        if (callStacks[s].isEmpty())
            return kRunFinished;
        eval.runError(kUnexpectedEnd);
        currentSection = s;
        return static_cast<int>(program.sections[s].lineCount() - 1);
    }
    ++cur.index;
    return kGoOn;
}

int Interpreter::runSection(uint32_t s, bool fromStart)
{
    stopLine.reset();
    if (fromStart)
        cursors[s] = {s, 0};
    if (profiling && s == kInitialise)
        startProfile();

    for (;;) {
        // The common case: no pause, step, breakpoint or profile to look after.
        if ((runFlags | profiling) == 0 && breakpoints.empty()) [[likely]] {
            LineCursor& cur = cursors[s];
            const Outcome outcome = lineRuns[cur.section][cur.index].handler(*this, s);
            if (outcome == Outcome::Next && cur.index + 1 < lineRuns[cur.section].size()) [[likely]] {
                ++cur.index;
            } else if (int end = afterLine(outcome, s); end != kGoOn) {
                return end;
            }
            if (runFlags & kFlagStopExecuted) [[unlikely]]
                pauseAfterStop(s);
            if (++iterations >= kPumpInterval) [[unlikely]] {
                iterations = 0;
                host.pumpEvents();
                if (runFlags & kFlagSingleStep) {
                    runFlags &= ~kFlagSingleStep;
                    pause(cursors[s]);
                }
            }
            if (runState != 1) [[unlikely]]
                return kRunFinished;
            continue;
        }

        bool executed = false;
        LineCursor& cur = cursors[s];
        if (!(runFlags & kFlagPaused)) {
            bool stopHere = false;
            if (!breakpoints.empty() && !(runFlags & kFlagSingleStep)) {
                if (runFlags & kFlagSkipBreakpoint) {
                    runFlags &= ~kFlagSkipBreakpoint;
                } else if (atBreakpoint(cur)) {
                    stopHere = true;
                    pause(cur, kBreakpointFound);
                }
            }
            if (!stopHere) {
                const LineCursor at = cur;
                const Clock::time_point start = profiling ? Clock::now() : Clock::time_point{};
                const Outcome outcome = lineRuns[at.section][at.index].handler(*this, s);
                executed = true;
                // Continuing skips the breakpoint test of one line only; the flag must not outlive
                // that line even when no breakpoint is set, or timer ticks would stay blocked.
                runFlags &= ~kFlagSkipBreakpoint;
                if (profiling)
                    profileLine(at, start);
                if (int end = afterLine(outcome, s); end != kGoOn)
                    return end;
                if (runFlags & kFlagStopExecuted)
                    pauseAfterStop(s);
            }
        }
        if (++iterations >= kPumpInterval) {
            iterations = 0;
            host.pumpEvents();
        } else if (runFlags & kFlagPaused) {
            host.waitForEvents(); // a paused run sleeps until the user or an event wakes it
        }
        if (runState != 1)
            return kRunFinished;
        if (executed && (runFlags & kFlagSingleStep)) {
            runFlags &= ~kFlagSingleStep;
            pause(cursors[s]);
        }
    }
}

} // namespace qel
