#pragma once
// The state of the one running program. The interpreter owns it; its own files (the loop, events,
// block matching, calls) and the LineContext that handlers get are the only code that reads or
// writes it. The environment and the tools go through the Interpreter's public commands.

#include "interpreter/call_stack.h"
#include "interpreter/debugger.h"
#include "interpreter/decoded_line.h"
#include "interpreter/dispatch.h"
#include "interpreter/output_budget.h"
#include "interpreter/run_host.h"
#include "interpreter/text_files.h"
#include "program/program.h"
#include "values/eval_context.h"
#include "values/operand_cache.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qel {

class VariableTable;
struct VariableRecord;
class DrawTarget; // the canvas or printer page drawing instructions use (defined by the runtime)

// A print job the run has open (the printing instructions make it): while it is open the drawing
// instructions draw on its page, and every end of the run finishes it.
class RunPrintJob {
public:
    virtual ~RunPrintJob() = default;
    virtual DrawTarget& page() = 0;
    // Sends the page to the printer and starts a new, blank one.
    [[nodiscard]] virtual Status eject() = 0;
    // Ends the last page and the document: the failure's text when the printer refused.
    [[nodiscard]] virtual Status finish() = 0;
};

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
    const DecodedLine* decoded = nullptr; // the line decoded for the loop, or nullptr: the handler runs it
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
    DrawTarget* drawTarget = nullptr; // the run-time window's canvas
    Debugger debugger;
    // The program's file (a system file name; empty: never saved): relative file names are found
    // beside it.
    std::string programPath;
    TextFileTable files;
    OutputBudget output; // what the run has written, to files and to the tool's output
    std::unique_ptr<RunPrintJob> printJob;
    DrawTarget* page = nullptr; // printJob's page
    bool repainting = false;    // the Paint section runs for a repaint of the window: it draws there

    // Where drawing goes now: the printed page while a job is open, except for a repaint.
    DrawTarget* currentTarget() const { return page && !repainting ? page : drawTarget; }

    RunStatus status = RunStatus::Idle;
    bool running() const { return status == RunStatus::Running; }
    // RunErrorText: the message of the error that ends the run, shown once when it ends.
    std::string errorText;
    uint32_t currentSection = 0;
    std::array<LineCursor, kSectionCount> cursors{};
    std::array<CallStack, kSectionCount> callStacks;
    std::array<std::vector<LineRun>, kSectionCount> lineRuns;
    std::array<std::vector<DecodedLine>, kSectionCount> decodedLines; // the lines' decoded forms
    // Per section, per line: the DeclareFunction line a Call line found (kNotLookedUp: not yet).
    std::array<std::vector<LineCursor>, kSectionCount> callCache;
    bool keyDownActive = false;
    bool autoRunStarted = false; // started by an AutoRun line: stopping closes the application
    bool closeRequested = false; // ExitQEL, or Stop of an auto-run program
    uint32_t iterations = 0;     // counts to the next event pump
    // The count at which the loop pumps: kPumpInterval, or 0 once the run has been interrupted, so
    // that an interruption costs the loop nothing beyond the compare it makes anyway.
    std::atomic<uint32_t> pumpAt{kPumpInterval};
    // Set from any thread when the run must end soon (its time is up): the loop pumps after every
    // line, long instructions cut their work short, a Pause wakes. Cleared when a run starts.
    std::atomic<bool> interrupted{false};
    std::mutex sleepMutex;
    std::condition_variable sleepWake;
    // The section whose run the loop is in (a called function's lines may lie in another section).
    uint32_t runningSection = 0;
    // While the loop pumps the events: the line it has just run, in the section whose run it is.
    struct JustRun {
        LineCursor line;
        uint32_t section = 0;
        bool set = false;
    } justRun;
    RunEnd lastEnd;
    // The seed of Rand's generator for the runs to come (nothing: a new one from the clock for each),
    // and the seed the current or last run started with.
    std::optional<uint32_t> seedChoice;
    uint32_t runSeed = 0;

    std::array<HandlerFunction, 2> keyboardHandlers; // qelOnKeyDown, qelOnChar
    std::array<HandlerFunction, 5> mouseHandlers;    // by mouse handler code 1 to 5
    SystemVariables systemVariables;

    const LineRun& runAt(const LineCursor& c) const { return lineRuns[c.section][c.index]; }
    // Where a line of the run is.
    LineCursor cursorOf(const LineRun& run) const
    {
        for (uint32_t section = 0; section < kSectionCount; ++section) {
            const auto& runs = lineRuns[section];
            if (!runs.empty() && &run >= runs.data() && &run < runs.data() + runs.size())
                return {section, static_cast<uint32_t>(&run - runs.data())};
        }
        return {};
    }
};

// Resets the operands' caches, gathers the lines for a run and decodes those the loop runs itself
// (done at every run start, once the variables have their elements); the error text when a line has
// a type code with no instruction.
[[nodiscard]] std::optional<std::string> prepareLines(RunState& state);
// Decodes the lines whose instructions have a decoder (decoded_line.h); part of prepareLines.
void decodeLines(RunState& state);

} // namespace qel
