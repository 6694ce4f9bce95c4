// The run loop: executes the lines of one section by dispatching on each line's type code, with
// breakpoints, Stop, single stepping, profiling and the event pump.

#include "interpreter/interpreter.h"

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

void Interpreter::pause(const LineCursor& at)
{
    runFlags |= kFlagPaused;
    stopLine = at;
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

int Interpreter::runSection(uint32_t s, bool fromStart)
{
    stopLine.reset();
    if (fromStart)
        cursors[s] = {s, 0};
    if (profiling && s == kInitialise)
        startProfile();

    for (;;) {
        bool executed = false;
        LineCursor& cur = cursors[s];
        if (!(runFlags & kFlagPaused)) {
            bool stopHere = false;
            if (!breakpoints.empty() && !(runFlags & kFlagSingleStep)) {
                if (runFlags & kFlagSkipBreakpoint) {
                    runFlags &= ~kFlagSkipBreakpoint;
                } else if (atBreakpoint(cur)) {
                    stopHere = true;
                    pause(cur);
                    host.showMessage(kBreakpointFound, Icon::Information);
                }
            }
            if (!stopHere) {
                const LineCursor at = cur;
                const Clock::time_point start = profiling ? Clock::now() : Clock::time_point{};
                const Outcome outcome = dispatch.at(lineAt(at).type)(*this, s);
                executed = true;
                if (profiling)
                    profileLine(at, start);
                switch (outcome) {
                case Outcome::Next: break;
                case Outcome::Fail: currentSection = cur.section; return static_cast<int>(cur.index);
                case Outcome::EndSection: return kRunFinished;
                case Outcome::Exit: return kRunExit;
                case Outcome::Quit: endRun(kRunFinished, kInitialise); return kRunFinished;
                }
                if (cur.index + 1 >= program.sections[cur.section].lines.size()) {
                    if (callStacks[s].isEmpty())
                        return kRunFinished;
                    eval.runError(kUnexpectedEnd);
                    currentSection = s;
                    return static_cast<int>(program.sections[s].lineCount() - 1);
                }
                ++cur.index;
                if (runFlags & kFlagStopExecuted) {
                    runFlags &= ~kFlagStopExecuted;
                    pause(cur);
                    host.showMessage(kStopFound, Icon::Information);
                }
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
