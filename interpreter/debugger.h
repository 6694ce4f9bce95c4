#pragma once
// Breakpoints, stepping and profiling: what the environment's debugging commands set and the run
// loop looks at between lines. The loop's common case asks one question (`quiet()`) and pays for
// nothing else.

#include "interpreter/dispatch.h"
#include "program/program.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qel {

inline constexpr size_t kMaxBreakpoints = 5;

struct Breakpoint {
    uint32_t section = 0;
    uint32_t line = 0;
    bool operator==(const Breakpoint&) const = default;
};

// Per section and line, the time a profiled run spent on each line and how many times it ran.
struct Profile {
    std::array<std::vector<uint64_t>, kSectionCount> ticks;
    std::array<std::vector<uint64_t>, kSectionCount> counts;
    uint64_t total = 0;
    uint64_t counterOverhead = 0;
};

// A line's share of the profiled time in percent with up to two decimals ("12.5", "0", "100"), as
// the profile column and `qeltool run --profile` show it.
std::string profileTimeText(uint64_t ticks, uint64_t total);

class Debugger {
public:
    // The RunFlags bits.
    enum Flag : uint32_t {
        kSingleStep = 1,     // pause after the next line
        kSkipBreakpoint = 2, // Continue: the next line runs even if it holds a breakpoint
        kStopExecuted = 4,   // a Stop line ran: pause once it has been passed
        kPaused = 8,
    };

    // Five at most: false when five are set already and the line is not one of them.
    [[nodiscard]] bool toggleBreakpoint(uint32_t section, uint32_t line);
    void clearBreakpoints() { breakpoints_.clear(); }
    std::span<const Breakpoint> breakpoints() const { return breakpoints_; }
    bool isBreakpoint(const LineCursor& line) const;
    // Breakpoints of a section at or below a line move with it when lines are inserted above them.
    void shiftBreakpoints(uint32_t section, uint32_t from, long by);

    // Continue and Single Step leave the pause.
    void continueRun() { flags_ = (flags_ & ~kPaused) | kSkipBreakpoint; }
    void singleStep() { flags_ = (flags_ & ~kPaused) | kSingleStep; }
    bool isPaused() const { return (flags_ & kPaused) != 0; }
    // The line the run is paused at (or last paused at during this run).
    std::optional<LineCursor> pausedAt() const { return pausedAt_; }
    void setPausedAt(std::optional<LineCursor> line) { pausedAt_ = line; }

    const Profile& profile() const { return profile_; }
    bool profiling() const { return profiling_; }
    // The profile of the last profiled run is thrown away (the program was edited).
    void discardProfile();
    // Shows a profile taken elsewhere (a test's, or one kept from an earlier session).
    void setProfile(Profile profile) { profile_ = std::move(profile); }

    // For the run loop.
    uint32_t flags() const { return flags_; }
    void setFlags(uint32_t flags) { flags_ = flags; }
    void raise(uint32_t bits) { flags_ |= bits; }
    void lower(uint32_t bits) { flags_ &= ~bits; }
    // Nothing to look after between lines: no flag, no breakpoint, no profile.
    bool quiet() const { return (flags_ | static_cast<uint32_t>(profiling_)) == 0 && breakpoints_.empty(); }
    void setProfiling(bool on) { profiling_ = on; }
    // The profile starts empty, with the clock's own cost measured.
    void startProfile(const Program& program);
    void profileLine(const LineCursor& line, std::chrono::steady_clock::time_point start);

private:
    uint32_t flags_ = 0;
    std::vector<Breakpoint> breakpoints_;
    std::optional<LineCursor> pausedAt_;
    bool profiling_ = false;
    Profile profile_;
};

} // namespace qel
