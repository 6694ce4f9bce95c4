#pragma once
// The state of the one running program. The interpreter owns it; its own files (the loop, events,
// block matching, calls) and the LineContext that handlers get are the only code that reads or
// writes it. The environment and the tools go through the Interpreter's public commands.

#include "interpreter/call_stack.h"
#include "interpreter/debugger.h"
#include "interpreter/dispatch.h"
#include "interpreter/run_host.h"
#include "program/program.h"
#include "values/eval_context.h"
#include "values/operand_cache.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qel {

class VariableTable;
struct VariableRecord;
class DrawTarget; // the canvas or printer page drawing instructions use (defined by the runtime)

// The section of a call cache entry whose Call line has not looked its function up yet.
inline constexpr uint32_t kNotLookedUp = 255;

// The loop pumps the window's messages every so many lines.
inline constexpr uint32_t kPumpInterval = 10000;

enum class RunStatus : uint8_t { Idle, Running };

// How a section's run ended.
struct SectionEnd {
    enum class Kind : uint8_t { Finished, Exit, Error };
    Kind kind = Kind::Finished;
    LineCursor at; // Error: the line that failed (or the last line, when the section ran out)

    static SectionEnd finished() { return {}; }
    static SectionEnd exit() { return {Kind::Exit, {}}; }
    static SectionEnd error(LineCursor line) { return {Kind::Error, line}; }
};

// How the last run ended, for the tools and tests.
struct RunEnd {
    bool error = false; // it ended with a run-time error
    uint32_t section = 0;
    long line = -1; // the failing line, or -1
};

// What the loop needs of each line, gathered once at run start so that a line costs one lookup.
struct LineRun {
    Handler handler = nullptr;
    CachedOperand* operands = nullptr;
    const ParamBlock* block = nullptr;
    uint32_t operandCount = 0;
    uint32_t type = 0;
};

struct HandlerFunction {
    LineCursor line; // its DeclareFunction line
    bool found = false;
};

struct SystemVariables {
    VariableRecord* scanCode = nullptr;
    VariableRecord* character = nullptr;
    std::array<VariableRecord*, 4> mouse{}; // X, Y, LButton, RButton
};

struct RunState {
    RunState(Program& p, VariableTable& v, RunHost& h, const DispatchTable& d)
        : program(p), variables(v), host(h), dispatch(d), eval(v)
    {}

    Program& program;
    VariableTable& variables;
    RunHost& host;
    const DispatchTable& dispatch;
    EvalContext eval;
    OperandCacheTable operandCaches;
    DrawTarget* drawTarget = nullptr;
    Debugger debugger;

    RunStatus status = RunStatus::Idle;
    bool running() const { return status == RunStatus::Running; }
    // RunErrorText: the message of the error that ends the run, shown once when it ends.
    std::string errorText;
    uint32_t currentSection = 0;
    std::array<LineCursor, kSectionCount> cursors{};
    std::array<CallStack, kSectionCount> callStacks;
    std::array<std::vector<LineRun>, kSectionCount> lineRuns;
    // Per section, per line: the DeclareFunction line a Call line found (kNotLookedUp: not yet).
    std::array<std::vector<LineCursor>, kSectionCount> callCache;
    bool keyDownActive = false;
    bool autoRunStarted = false; // started by an AutoRun line: stopping closes the application
    bool closeRequested = false; // ExitQEL, or Stop of an auto-run program
    std::string programFolder;   // where relative file names are found ("": the current directory)
    uint32_t iterations = 0;     // counts to the next event pump
    RunEnd lastEnd;

    std::array<HandlerFunction, 2> keyboardHandlers; // qelOnKeyDown, qelOnChar
    std::array<HandlerFunction, 5> mouseHandlers;    // by mouse handler code 1 to 5
    SystemVariables systemVariables;

    const LineRun& runAt(const LineCursor& c) const { return lineRuns[c.section][c.index]; }
};

// Resets the operands' caches and gathers the lines for a run (done at every run start); the error
// text when a line has a type code with no instruction.
[[nodiscard]] std::optional<std::string> prepareLines(RunState& state);

} // namespace qel
