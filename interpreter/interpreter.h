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

    // Drawing instructions draw here (nullptr: nowhere).
    void setDrawTarget(DrawTarget* target) { state_.drawTarget = target; }
    DrawTarget* drawTarget() const { return state_.drawTarget; }
    // The display precision, case rule and random generator of the running program.
    EvalContext& eval() { return state_.eval; }

    // The folder of the saved program, in which relative file names are found; empty for a program
    // never saved (the current directory).
    void setProgramFolder(std::string folder) { state_.programFolder = std::move(folder); }
    const std::string& programFolder() const { return state_.programFolder; }

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
    void endRun(const SectionEnd& end, uint32_t section);
    void endRunFinished() { endRun(SectionEnd::finished(), kInitialise); }
    bool runStartSetUp();
    void exitApplication();
    [[nodiscard]] std::optional<SectionEnd> afterLine(LineResult result, uint32_t s);
    void pauseAfterStop(uint32_t s);
    void pause(const LineCursor& at, std::string_view message = {});
    void runHandler(uint32_t section, const HandlerFunction& handler, uint8_t marker);
    void finishEventRun(const SectionEnd& end, uint32_t savedSection);

    RunState state_;
};

} // namespace qel
