// The run loop: executes the lines of one section by dispatching on each line's type code, with
// breakpoints, Stop, single stepping, profiling and the event pump.

#include "interpreter/decoded_run.h"
#include "interpreter/interpreter.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"

#include <new>
#include <stdexcept>

namespace qel {

// Pauses the run at a line: the user is told why (when there is a message), then the program view
// marks the line.
void Interpreter::pause(const LineCursor& at, std::string_view message)
{
    state_.debugger.raise(Debugger::kPaused);
    state_.debugger.setPausedAt(at);
    if (!message.empty())
        state_.host.showMessage(message, Icon::Information);
    state_.host.markPausedLine(at.section, at.index);
    state_.host.showLine(at.section, at.index);
}

void Interpreter::resume(void (Debugger::*command)())
{
    const bool wasPaused = state_.debugger.isPaused();
    (state_.debugger.*command)();
    if (wasPaused)
        state_.host.markPausedLine(state_.currentSection, -1);
}

// A Stop line pauses the run once it has been passed.
void Interpreter::pauseAfterStop(uint32_t s)
{
    state_.iterations = 0; // the Stop line brought the pump forward; the pause waits for events instead
    state_.debugger.lower(Debugger::kStopExecuted);
    pause(state_.cursors[s], msg::kStopFound);
}

// A section's run ends with no request left over for a later run: a Stop on its last line pauses
// there (the run waits, as at any pause, until it is continued or stopped), and a single step ends
// with the section. Left set, either flag would hold back every later Timer tick and pause some
// later handler at its first line.
SectionEnd Interpreter::sectionEnded(const SectionEnd& end, uint32_t s)
{
    Debugger& debug = state_.debugger;
    if (end.kind == SectionEnd::Kind::Finished && state_.running() && (debug.flags() & Debugger::kStopExecuted)) {
        pauseAfterStop(s);
        while (state_.running() && debug.isPaused())
            state_.host.waitForEvents();
    }
    debug.lower(Debugger::kStopExecuted | Debugger::kSingleStep | Debugger::kSkipBreakpoint);
    return end;
}

// What the loop does after a line that did not simply succeed: nothing when the run goes on,
// otherwise how the section's run ends.
std::optional<SectionEnd> Interpreter::afterLine(LineResult result, uint32_t s)
{
    RunState& st = state_;
    LineCursor& cur = st.cursors[s];
    // The run has ended inside this line, in an event run nested in it (an error reported there, or
    // Stop): this section's run ends too, with nothing more to say. The cursor may since stand
    // anywhere in the section (a form request's function lies in it), even on its last line.
    if (!st.running()) [[unlikely]] {
        if (!result.ok())
            static_cast<void>(result.takeFailure());
        return SectionEnd::finished();
    }
    if (!result.ok()) {
        st.errorText = result.takeFailure().text();
        st.currentSection = cur.section;
        return SectionEnd::error(cur);
    }
    switch (*result) {
    case Flow::Next: break;
    case Flow::EndSection: return SectionEnd::finished();
    case Flow::Exit: return SectionEnd::exit();
    case Flow::Quit: endRunFinished(); return SectionEnd::finished();
    }
    if (cur.index + 1 >= st.lineRuns[cur.section].size()) {
        if (st.callStacks[s].isEmpty())
            return SectionEnd::finished();
        // The section that ran out is the one the cursor is in: a function of another section
        // called without its EndFunction runs off that section's end.
        st.errorText = runError(msg::kUnexpectedEnd).text();
        st.currentSection = cur.section;
        return SectionEnd::error(cur);
    }
    ++cur.index;
    return std::nullopt;
}

// An allocation that fails inside a handler, however deep, ends the run at the line that made it
// with the "Out of memory" error; the handlers themselves turn the failures they expect into values.
SectionEnd Interpreter::runSection(uint32_t s, bool fromStart)
{
    RunState& st = state_;
    const uint32_t outer = st.runningSection;
    st.runningSection = s;
    SectionEnd end;
    try {
        end = runLines(s, fromStart);
    } catch (const std::bad_alloc&) {
        end = outOfMemory(s);
    } catch (const std::length_error&) { // a size no allocation could give
        end = outOfMemory(s);
    }
    st.runningSection = outer;
    return end;
}

SectionEnd Interpreter::outOfMemory(uint32_t s)
{
    RunState& st = state_;
    st.justRun.set = false;
    st.errorText = runError(msg::kOutOfMemory).text();
    st.currentSection = st.cursors[s].section;
    return SectionEnd::error(st.cursors[s]);
}

// Pumps the events after the line `at` has run; a host that looks at the run meanwhile sees that line.
void Interpreter::pumpAfter(const LineCursor& at, uint32_t s)
{
    RunState& st = state_;
    st.iterations = 0;
    const RunState::JustRun outer = st.justRun;
    st.justRun = {at, s, true};
    st.host.pumpEvents();
    st.justRun = outer;
}

// An interrupted run pumps after every line, a section's last one too: true when the host then
// stopped the run.
bool Interpreter::stoppedAfterInterrupt(const LineCursor& at, uint32_t s)
{
    if (state_.pumpAt.load(std::memory_order_relaxed) != 0)
        return false;
    pumpAfter(at, s);
    return !state_.running();
}

SectionEnd Interpreter::runLines(uint32_t s, bool fromStart)
{
    RunState& st = state_;
    Debugger& debug = st.debugger;
    LineContext line(st, s);
    CallStack& stack = st.callStacks[s];
    debug.setPausedAt(std::nullopt);
    if (fromStart)
        st.cursors[s] = {s, 0};

    for (;;) {
        // The common case: no pause, step, breakpoint or profile to look after.
        if (debug.quiet()) [[likely]] {
            LineCursor& cur = st.cursors[s];
            // The line is remembered by its LineRun, at hand for the call anyway: a copy of the
            // cursor would be a load of both its words just after the last line stored one of them.
            const LineRun* ran = &st.lineRuns[cur.section][cur.index];
            // Decoded lines run back to back there, while none needs its handler: nothing they do
            // can pause, stop or debug the run. The line that ends the stretch is finished below
            // like any other.
            const bool decodedRan = ran->decoded && decoded::runStretch(st, stack, cur, ran);
            std::optional<SectionEnd> end;
            const LineResult result = decodedRan ? LineResult(Flow::Next) : ran->handler(line);
            if (result.ok() && *result == Flow::Next && cur.index + 1 < st.lineRuns[cur.section].size()) [[likely]]
                ++cur.index;
            else
                end = afterLine(result, s);
            if (end) [[unlikely]] {
                if (stoppedAfterInterrupt(st.cursorOf(*ran), s))
                    return SectionEnd::finished();
                return debug.flags() ? sectionEnded(*end, s) : *end;
            }
            // A Stop line brings the pump forward (LineContext::pauseAfterThisLine), so the quiet
            // loop looks for it only there.
            if (++st.iterations >= st.pumpAt.load(std::memory_order_relaxed)) [[unlikely]] {
                if (debug.flags() & Debugger::kStopExecuted) {
                    pauseAfterStop(s);
                } else {
                    pumpAfter(st.cursorOf(*ran), s);
                }
                if (debug.flags() & Debugger::kSingleStep) {
                    debug.lower(Debugger::kSingleStep);
                    pause(st.cursors[s]);
                }
            }
            if (!st.running()) [[unlikely]]
                return SectionEnd::finished();
            continue;
        }

        bool executed = false;
        LineCursor& cur = st.cursors[s];
        const LineRun* ran = nullptr;
        if (!debug.isPaused()) {
            bool stopHere = false;
            if (!debug.breakpoints().empty() && !(debug.flags() & Debugger::kSingleStep)) {
                if (debug.flags() & Debugger::kSkipBreakpoint) {
                    debug.lower(Debugger::kSkipBreakpoint);
                } else if (debug.isBreakpoint(cur)) {
                    stopHere = true;
                    pause(cur, msg::kBreakpointFound);
                }
            }
            if (!stopHere) {
                const LineCursor at = cur;
                const auto start =
                    debug.profiling() ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point{};
                ran = &st.lineRuns[at.section][at.index];
                LineResult result = ran->handler(line);
                executed = true;
                // Continuing skips the breakpoint test of one line only; the flag must not outlive
                // that line even when no breakpoint is set, or timer ticks would stay blocked.
                debug.lower(Debugger::kSkipBreakpoint);
                if (debug.profiling())
                    debug.profileLine(at, start);
                if (std::optional<SectionEnd> end = afterLine(result, s)) {
                    if (stoppedAfterInterrupt(at, s))
                        return SectionEnd::finished();
                    return sectionEnded(*end, s);
                }
                if (debug.flags() & Debugger::kStopExecuted)
                    pauseAfterStop(s);
            }
        }
        if (++st.iterations >= st.pumpAt.load(std::memory_order_relaxed)) {
            pumpAfter(ran ? st.cursorOf(*ran) : st.cursors[s], s);
        } else if (debug.isPaused()) {
            st.host.waitForEvents(); // a paused run sleeps until the user or an event wakes it
        }
        if (!st.running())
            return SectionEnd::finished();
        if (executed && (debug.flags() & Debugger::kSingleStep)) {
            debug.lower(Debugger::kSingleStep);
            pause(st.cursors[s]);
        }
    }
}

} // namespace qel
