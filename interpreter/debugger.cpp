#include "interpreter/debugger.h"

#include <cstdio>

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

uint64_t ticksBetween(Clock::time_point a, Clock::time_point b)
{
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(b - a).count());
}

} // namespace

std::string profileTimeText(uint64_t ticks, uint64_t total)
{
    if (total == 0)
        return "0";
    // Hundredths of a percent in whole numbers; long double keeps ticks * 10000 from overflowing.
    auto hundredths =
        static_cast<uint64_t>(static_cast<long double>(ticks) * 10000.0L / static_cast<long double>(total));
    char text[32];
    std::snprintf(text, sizeof text, "%-.*f", 2, static_cast<double>(hundredths) / 100.0);
    std::string out = text;
    while (out.back() == '0')
        out.pop_back();
    if (out.back() == '.')
        out.pop_back();
    return out;
}

bool Debugger::toggleBreakpoint(uint32_t section, uint32_t line)
{
    const Breakpoint b{section, line};
    for (auto it = breakpoints_.begin(); it != breakpoints_.end(); ++it)
        if (*it == b) {
            breakpoints_.erase(it);
            return true;
        }
    if (breakpoints_.size() >= kMaxBreakpoints)
        return false;
    breakpoints_.push_back(b);
    return true;
}

bool Debugger::isBreakpoint(const LineCursor& line) const
{
    for (const Breakpoint& b : breakpoints_)
        if (b.section == line.section && b.line == line.index)
            return true;
    return false;
}

void Debugger::shiftBreakpoints(uint32_t section, uint32_t from, long by)
{
    for (Breakpoint& b : breakpoints_)
        if (b.section == section && b.line >= from)
            b.line = static_cast<uint32_t>(static_cast<long>(b.line) + by);
}

void Debugger::discardProfile()
{
    for (auto& ticks : profile_.ticks)
        ticks.clear();
    for (auto& counts : profile_.counts)
        counts.clear();
    profile_.total = 0;
}

void Debugger::startProfile(const Program& program)
{
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        profile_.ticks[s].assign(program.sections[s].lineCount(), 0);
        profile_.counts[s].assign(program.sections[s].lineCount(), 0);
    }
    profile_.total = 0;
    // The cost of one pair of clock readings, taken off every line's time.
    uint64_t sum = 0;
    for (int i = 0; i < 100; ++i) {
        auto a = Clock::now();
        auto b = Clock::now();
        sum += ticksBetween(a, b);
    }
    profile_.counterOverhead = (sum + 50) / 100;
}

void Debugger::profileLine(const LineCursor& line, Clock::time_point start)
{
    uint64_t ticks = ticksBetween(start, Clock::now());
    ticks = ticks > profile_.counterOverhead ? ticks - profile_.counterOverhead : 0;
    auto& table = profile_.ticks[line.section];
    if (line.index < table.size())
        table[line.index] += ticks;
    auto& counts = profile_.counts[line.section];
    if (line.index < counts.size())
        ++counts[line.index];
    profile_.total += ticks;
}

} // namespace qel
