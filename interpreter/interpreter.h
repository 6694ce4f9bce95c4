#pragma once
// The one running program: the commands of the environment, the event entry points, and the run
// loop behind them. Everything runs on one thread; events run as nested runs of the loop from
// inside the host's event pump. The state lives in RunState; handlers reach it only through the
// LineContext the loop gives them.

#include "interpreter/run_state.h"

#include <string_view>

namespace qel {

class Interpreter {
public:
    Interpreter(Program& program, VariableTable& variables, RunHost& host, const DispatchTable& dispatch);
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Commands of the environment.
    void startRun(bool profiled = false);
    void stopRun();
    // Continue and Single Step leave the pause: the paused line's mark goes.
    void continueRun() { resume(&Debugger::continueRun); }
    void singleStep() { resume(&Debugger::singleStep); }

    // Safe from any thread (a watchdog): the run is to end soon. The loop calls the host's event
    // pump after the line that is running, and every line after it, so the host can stop the run;
    // long instructions (Pause, DrawFill) return early. Holds until the next run starts.
    void requestInterrupt();
    // From the host's event pump: the run ends with a run-time error (message without its header)
    // at the line that has just run.
    void failRun(std::string_view message);
    // The line the run is executing: while the loop pumps the events, the line it has just run.
    // With requestInterrupt the one thing another thread may ask, and only of a run stuck in one
    // line (it is read without synchronisation).
    LineCursor runningLine() const
    {
        const RunState::JustRun& j = state_.justRun;
        return j.set && j.section == state_.runningSection ? j.line : state_.cursors[state_.runningSection];
    }

    // Event entry points.
    void paintEvent();
    void timerEvent();
    void keyDownEvent(int virtualKey);
    void charEvent(char character);
    void mouseEvent(int code, int x, int y, bool leftDown, bool rightDown);
    void formRequest(std::string_view functionName);

    bool isRunning() const { return state_.running(); }
    bool isPaused() const { return state_.debugger.isPaused(); }
    Debugger& debugger() { return state_.debugger; }
    const Debugger& debugger() const { return state_.debugger; }

    // Drawing instructions draw here (nullptr: nowhere): the run-time window's canvas. While a print
    // job is open they draw on its page instead, except the Paint section of a repaint.
    void setDrawTarget(DrawTarget* target) { state_.drawTarget = target; }
    DrawTarget* drawTarget() const { return state_.drawTarget; }
    bool printing() const { return state_.printJob != nullptr; }

    // The program's file as the system names it (empty: never saved); relative file names of the
    // program are found beside it.
    void setProgramPath(std::string path) { state_.programPath = std::move(path); }
    const std::string& programPath() const { return state_.programPath; }
    // The text files the run has open.
    const TextFileTable& openFiles() const { return state_.files; }
    // What a run may write to files and to the host's output; each run starts with nothing written.
    OutputBudget& output() { return state_.output; }
    // The display precision, case rule and random generator of the running program.
    EvalContext& eval() { return state_.eval; }
    // The seed every run start gives Rand's generator from now on; nothing: one from the clock, new
    // for each run. The same seed gives the same numbers.
    void setSeed(std::optional<uint32_t> seed) { state_.seedChoice = seed; }
    // The seed the current or last run started with, however it was chosen.
    uint32_t runSeed() const { return state_.runSeed; }

    // The run was started by an AutoRun line: stopping it closes the application.
    bool autoRunStarted() const { return state_.autoRunStarted; }
    void setAutoRunStarted(bool started) { state_.autoRunStarted = started; }
    // ExitQEL ran, or an auto-run program was stopped: the application should close.
    bool closeRequested() const { return state_.closeRequested; }
    const RunEnd& lastEnd() const { return state_.lastEnd; }
    // Where things stand: the section whose code runs now, and the line each section's run is on.
    uint32_t currentSection() const { return state_.currentSection; }
    LineCursor cursor(uint32_t section) const { return state_.cursors[section]; }

private:
    friend class LineContext;

    void resume(void (Debugger::*command)());
    SectionEnd runSection(uint32_t s, bool fromStart);
    SectionEnd runLines(uint32_t s, bool fromStart);
    SectionEnd outOfMemory(uint32_t s);
    void pumpAfter(const LineCursor& at, uint32_t s);
    [[nodiscard]] bool stoppedAfterInterrupt(const LineCursor& at, uint32_t s);
    void endRun(const SectionEnd& end, uint32_t section);
    void endRunFinished() { endRun(SectionEnd::finished(), kInitialise); }
    bool runStartSetUp();
    void exitApplication();
    [[nodiscard]] std::optional<SectionEnd> afterLine(LineResult result, uint32_t s);
    void pauseAfterStop(uint32_t s);
    [[nodiscard]] SectionEnd sectionEnded(const SectionEnd& end, uint32_t s);
    void pause(const LineCursor& at, std::string_view message = {});
    void runHandler(uint32_t section, const HandlerFunction& handler, uint8_t marker);
    void finishEventRun(const SectionEnd& end, uint32_t savedSection);
    void releaseRunResources();

    RunState state_;
};

} // namespace qel
