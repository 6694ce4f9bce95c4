#pragma once
// The one running program: run state, the run loop, and the event entry points. Everything runs on
// one thread; events run as nested runs of the loop from inside the host's event pump.

#include "interpreter/call_stack.h"
#include "interpreter/dispatch.h"
#include "interpreter/run_host.h"
#include "program/program.h"
#include "values/eval_context.h"
#include "values/operand_cache.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qel {

class VariableTable;
struct VariableRecord;
class DrawTarget; // the canvas or printer page drawing instructions use (defined by the runtime)

// RunFlags bits.
inline constexpr uint32_t kFlagSingleStep = 1;
inline constexpr uint32_t kFlagSkipBreakpoint = 2;
inline constexpr uint32_t kFlagStopExecuted = 4;
inline constexpr uint32_t kFlagPaused = 8;

inline constexpr int kRunFinished = -1;
inline constexpr int kRunExit = -2;

inline constexpr size_t kMaxBreakpoints = 5;
inline constexpr uint32_t kPumpInterval = 10000;

struct Breakpoint {
    uint32_t section = 0;
    uint32_t line = 0;
    bool operator==(const Breakpoint&) const = default;
};

struct HandlerFunction {
    LineCursor line; // its DeclareFunction line
    bool found = false;
};

struct Profile {
    std::array<std::vector<uint64_t>, kSectionCount> ticks; // per section, per line
    uint64_t total = 0;
    uint64_t counterOverhead = 0;
};

class Interpreter {
public:
    Interpreter(Program& program, VariableTable& variables, RunHost& host, const DispatchTable& dispatch);

    // Commands of the environment.
    void startRun(bool profiled = false);
    void stopRun();
    void continueRun() { runFlags = (runFlags & ~kFlagPaused) | kFlagSkipBreakpoint; }
    void singleStep() { runFlags = (runFlags & ~kFlagPaused) | kFlagSingleStep; }

    // The loop: runs section s from its first line (fromStart) or from its current line.
    int runSection(uint32_t s, bool fromStart);
    void endRun(int result, uint32_t section);

    // Event entry points.
    void paintEvent();
    void timerEvent();
    void keyDownEvent(int virtualKey);
    void charEvent(char character);
    void mouseEvent(int code, int x, int y, bool leftDown, bool rightDown);
    void formRequest(std::string_view functionName);

    // Breakpoints: false when five are set already (and the line is not one of them).
    bool toggleBreakpoint(uint32_t section, uint32_t line);
    void clearBreakpoints() { breakpoints.clear(); }

    // What the loop needs of each line, gathered once at run start so that a line costs one lookup.
    struct LineRun {
        Handler handler = nullptr;
        CachedOperand* operands = nullptr;
        const ParamBlock* block = nullptr;
        uint32_t operandCount = 0;
        uint32_t type = 0;
    };

    // For handlers: the line a section's run is on, its block and its decoded operands.
    LineCursor& cursor(uint32_t s) { return cursors[s]; }
    const ProgramLine& lineAt(const LineCursor& c) const { return program.sections[c.section].lines[c.index]; }
    const LineRun& runAt(const LineCursor& c) const { return lineRuns[c.section][c.index]; }
    const ParamBlock& blockAt(const LineCursor& c) const { return *runAt(c).block; }
    std::span<CachedOperand> operandsAt(const LineCursor& c)
    {
        const LineRun& r = runAt(c);
        return {r.operands, r.operandCount};
    }

    // Resets the operands' caches and gathers the lines for a run (done by startRun); the error
    // text when a line has a type code with no instruction.
    std::optional<std::string> prepareLines();
    // A call to the window system failed: the user sees the generic notice, and the run stops with
    // "WINDOWS CALL FAILED\n\n" + detail as its error.
    Outcome windowsCallFailed(std::string_view detail);
    // Fails the current line with "RUN TIME ERROR\n\n" + message + detail.
    Outcome fail(std::string_view message, std::string_view detail = {})
    {
        eval.runError(message, detail);
        return Outcome::Fail;
    }

    bool isRunning() const { return runState == 1; }
    bool isPaused() const { return (runFlags & kFlagPaused) != 0; }

    Program& program;
    VariableTable& variables;
    RunHost& host;
    const DispatchTable& dispatch;
    EvalContext eval;
    OperandCacheTable operandCaches;
    DrawTarget* drawTarget = nullptr;

    uint32_t runState = 0;
    uint32_t runFlags = 0;
    uint32_t currentSection = 0;
    std::array<LineCursor, kSectionCount> cursors{};
    std::array<int, kSectionCount> runResult{-1, -1, -1, -1, -1};
    std::array<CallStack, kSectionCount> callStacks;
    std::array<std::vector<LineRun>, kSectionCount> lineRuns;
    std::vector<Breakpoint> breakpoints;
    std::optional<LineCursor> stopLine;
    bool keyDownActive = false;
    bool autoRunStarted = false; // started by an AutoRun line: stopping closes the application
    bool closeRequested = false; // ExitQEL, or Stop of an auto-run program
    uint32_t iterations = 0;     // counts to the next event pump

    uint32_t profiling = 0; // 1 during a profiled run
    Profile profile;

    // How the last run ended: the result of the loop (-1, -2 or the failing line) and its section.
    struct RunEnd {
        int result = kRunFinished;
        uint32_t section = 0;
        bool error = false;
    } lastEnd;

    std::array<HandlerFunction, 2> keyboardHandlers; // qelOnKeyDown, qelOnChar
    std::array<HandlerFunction, 5> mouseHandlers;    // by mouse handler code 1 to 5
    struct SystemVariables {
        VariableRecord* scanCode = nullptr;
        VariableRecord* character = nullptr;
        std::array<VariableRecord*, 4> mouse{}; // X, Y, LButton, RButton
    } systemVariables;
    // Per section, per line: the DeclareFunction line a Call line found (section 255: not yet).
    std::array<std::vector<LineCursor>, kSectionCount> callCache;

    // Ends the run (if one is running) and asks the environment to close the application.
    void exitApplication();

private:
    bool runStartSetUp();
    int afterLine(Outcome outcome, uint32_t s);
    void pauseAfterStop(uint32_t s);
    void profileLine(const LineCursor& line, std::chrono::steady_clock::time_point start);
    void startProfile();
    bool atBreakpoint(const LineCursor& line) const;
    void pause(const LineCursor& at, std::string_view message = {});
    void runHandler(uint32_t section, const HandlerFunction& handler, uint8_t marker);
    void finishEventRun(uint32_t section, int result, uint32_t savedSection);
};

} // namespace qel
