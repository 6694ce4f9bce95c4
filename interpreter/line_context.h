#pragma once
// What a handler sees of the run while it executes one line: the line's block and decoded operands,
// evaluation, the drawing target and the host; and, for the instructions that open and close blocks
// or call and leave functions, the section's cursor and stack with the block-matching and calling
// rules. Handlers never touch the run state directly.

#include "interpreter/run_state.h"

#include <limits>
#include <optional>
#include <span>
#include <string_view>

namespace qel {

class LineContext {
public:
    LineContext(RunState& state, uint32_t section) : state_(state), section_(section) {}

    // The section whose run this is (a called function's lines may lie in another section).
    uint32_t section() const { return section_; }
    // The line being run. A handler that jumps moves it; the loop then goes on after it.
    LineCursor& cursor() { return state_.cursors[section_]; }
    const LineRun& line() const { return state_.runAt(state_.cursors[section_]); }
    uint32_t type() const { return line().type; }
    const ParamBlock& block() const { return *line().block; }
    std::span<CachedOperand> operands()
    {
        const LineRun& r = line();
        return {r.operands, r.operandCount};
    }

    // Any line of the program, by its cursor.
    const LineRun& lineAt(const LineCursor& at) const { return state_.runAt(at); }
    const ParamBlock& blockAt(const LineCursor& at) const { return *state_.runAt(at).block; }
    std::span<CachedOperand> operandsAt(const LineCursor& at)
    {
        const LineRun& r = state_.runAt(at);
        return {r.operands, r.operandCount};
    }

    EvalContext& eval() { return state_.eval; }
    RunHost& host() { return state_.host; }
    // The saved program's folder; empty for a program never saved (the current directory).
    std::string programFolder() const;
    // Where drawing goes: the run-time canvas or a printer page; nullptr when nothing is shown.
    DrawTarget* drawTarget() { return state_.currentTarget(); }
    // The run-time window's canvas, whether or not a print job is open.
    DrawTarget* windowTarget() { return state_.drawTarget; }

    // The print job of the run, if one is open. Starting one sends drawing to its page; ending it
    // hands the job back (to be finished) and drawing goes to the window again.
    RunPrintJob* printJob() { return state_.printJob.get(); }
    void startPrintJob(std::unique_ptr<RunPrintJob> job)
    {
        state_.printJob = std::move(job);
        state_.page = state_.printJob ? &state_.printJob->page() : nullptr;
    }
    std::unique_ptr<RunPrintJob> endPrintJob()
    {
        state_.page = nullptr;
        return std::move(state_.printJob);
    }

    // The run's open text files.
    TextFileTable& files() { return state_.files; }
    // What the run may still write.
    OutputBudget& output() { return state_.output; }
    // The program's file (a system file name; empty: never saved).
    const std::string& programPath() const { return state_.programPath; }
    // The system file name of a file the program names: relative names lie beside the program.
    std::string resolvePath(std::string_view name) const;

    // A call to the window system failed: the user sees the generic notice at once, and the run
    // stops with "WINDOWS CALL FAILED\n\n" + detail as its error.
    [[nodiscard]] Failure windowsCallFailed(std::string_view detail);

    // A Stop line: the run pauses once this line has been passed.
    void pauseAfterThisLine()
    {
        state_.debugger.raise(Debugger::kStopExecuted);
        state_.iterations = std::numeric_limits<uint32_t>::max() - 1; // the loop looks at once
    }
    // The loop pumps the window's waiting messages right after this line (Pause).
    void pumpAfterThisLine();
    // The run has been interrupted (its time is up): a long instruction stops its work early.
    const std::atomic<bool>& interrupted() const { return state_.interrupted; }
    // The whole thread waits that long, or until the run is interrupted.
    void sleepFor(std::chrono::milliseconds duration);

    // Blocks. The stack of open blocks and calls of this section's run.
    CallStack& stack() { return state_.callStacks[section_]; }
    // Pushes a block or call frame; the overflow failure when the stack is full.
    [[nodiscard]] Status pushFrame(const StackFrame& frame);
    // Moves the cursor forward to the next line of type target1 or target2 at the same depth of
    // blocks: the type found, or why there is none. The cursor stays where the scan stopped.
    [[nodiscard]] Result<uint32_t> skipToCodeAfter(uint32_t target1, uint32_t target2);
    // "Found <found line> matched to <frame kind>".
    [[nodiscard]] Failure mismatch(uint32_t found, uint32_t opened);

    // Functions. The DeclareFunction line of a function, searched in sections 0 to 4; the cursor
    // moves to it when found.
    std::optional<LineCursor> findFunction(std::string_view name);
    // The function a Call line found the first time it ran (nothing yet: not looked up).
    std::optional<LineCursor> cachedFunction(const LineCursor& callLine) const
    {
        const LineCursor& cached = state_.callCache[callLine.section][callLine.index];
        if (cached.section == kNotLookedUp)
            return std::nullopt;
        return cached;
    }
    void cacheFunction(const LineCursor& callLine, const LineCursor& function);
    // Enters the function declared at `function` from callLine: checks the arguments against the
    // parameters, pushes the call frame and passes the arguments.
    [[nodiscard]] LineResult enterFunction(const LineCursor& callLine, const LineCursor& function);
    // Copies a value into a variable by the variable's type, as arguments and returned values are.
    [[nodiscard]] Status assignValue(CachedOperand& value, int kindOfValue, CachedOperand& destination,
                                     const VariableRecord& target);
    // The section that was current when a call frame was pushed becomes current again.
    void returnToSection(uint32_t section) { state_.currentSection = section; }
    uint32_t currentSection() const { return state_.currentSection; }

private:
    RunState& state_;
    uint32_t section_;
};

} // namespace qel
