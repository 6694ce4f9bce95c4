#include "interpreter/interpreter.h"

#include "interpreter/functions.h"
#include "messages/run_errors.h"
#include "program/system_names.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

namespace qel {

Interpreter::Interpreter(Program& p, VariableTable& v, RunHost& h, const DispatchTable& d) : state_(p, v, h, d)
{
    state_.eval.atEndOfFile = [this](uint32_t handle) -> std::optional<bool> {
        const TextFile* file = state_.files.get(handle);
        if (!file)
            return std::nullopt;
        return file->atEnd();
    };
}

void Interpreter::startRun(bool profiled)
{
    RunState& s = state_;
    s.host.runBeginning();
    s.status = RunStatus::Running;
    s.debugger.setProfiling(profiled);
    s.closeRequested = false;
    s.host.showLine(kInitialise, -1);

    s.eval.caseSensitive = false;
    s.runSeed = s.seedChoice.value_or(clockSeed());
    s.eval.random.seed(s.runSeed);
    s.eval.memory.reset();
    s.output.reset();
    std::string().swap(s.eval.scratch);
    const bool elementsFit = s.variables.resetVariablesForRun(s.eval.memory);
    s.debugger.setFlags(0);
    s.eval.displayPrecision = kRunStartPrecision;
    s.keyDownActive = false;
    s.iterations = 0;
    s.pumpAt.store(kPumpInterval, std::memory_order_relaxed);
    s.interrupted.store(false, std::memory_order_relaxed);
    s.repainting = false;
    s.debugger.setPausedAt(std::nullopt);
    for (CallStack& stack : s.callStacks)
        stack.clear();
    for (uint32_t section = 0; section < kSectionCount; ++section)
        s.cursors[section] = {section, 0};

    if (!elementsFit) {
        s.errorText = runError(msg::kOutOfMemory).text();
        endRun(SectionEnd::error({kInitialise, 0}), kInitialise);
        return;
    }
    if (!runStartSetUp()) {
        endRun(SectionEnd::error({s.currentSection, 0}), s.currentSection);
        return;
    }
    if (auto error = prepareLines(s)) {
        s.errorText = *error;
        endRun(SectionEnd::error({s.currentSection, 0}), s.currentSection);
        return;
    }
    resetCallCaches(s);
    s.currentSection = kInitialise;
    s.host.runStarting();
    if (!s.running())
        return; // the window's first paint ended the run (an error in the Paint section)

    if (profiled)
        s.debugger.startProfile(s.program);
    const SectionEnd end = runSection(kInitialise, true);
    if (end.kind == SectionEnd::Kind::Error)
        endRun(end, s.currentSection);
    else if (end.kind == SectionEnd::Kind::Exit)
        exitApplication();
}

// The system variables and handler functions, looked up by name at every run start.
bool Interpreter::runStartSetUp()
{
    RunState& s = state_;
    const auto findVariable = [&](std::string_view name) -> VariableRecord* {
        VariableRecord* v = s.variables.findVariable(name);
        if (!v)
            s.errorText = runError(msg::kMissingSystemVariable, std::string(name) + ".").text();
        return v;
    };
    const auto findHandler = [&](std::string_view name, HandlerFunction& out) {
        const std::optional<LineCursor> found = findFunction(s.program, name);
        out = {found.value_or(LineCursor{}), found.has_value()};
        if (!found)
            s.errorText = runError(name, msg::kHandlerMissing).text();
        return out.found;
    };

    s.currentSection = kKeyboard;
    s.systemVariables = {};
    SystemVariables& system = s.systemVariables;
    if (!(system.scanCode = findVariable("qelScanCode")) || !(system.character = findVariable("qelChar")))
        return false;
    if (system.character->type == kTypeString && !system.character->texts.empty())
        setShortText(s.eval, system.character->texts[0], "x");
    if (!findHandler("qelOnChar", s.keyboardHandlers[1]) || !findHandler("qelOnKeyDown", s.keyboardHandlers[0]))
        return false;

    s.currentSection = kMouse;
    for (size_t i = 0; i < std::size(kMouseVariables); ++i)
        if (!(system.mouse[i] = findVariable(kMouseVariables[i].name)))
            return false;
    for (size_t i = 0; i < std::size(kMouseHandlers); ++i)
        if (!findHandler(kMouseHandlers[i], s.mouseHandlers[i]))
            return false;
    return true;
}

void Interpreter::requestInterrupt()
{
    {
        const std::lock_guard lock(state_.sleepMutex);
        state_.interrupted.store(true, std::memory_order_relaxed);
        state_.pumpAt.store(0, std::memory_order_relaxed);
    }
    state_.sleepWake.notify_all();
}

void Interpreter::failRun(std::string_view message)
{
    if (!state_.running())
        return;
    const LineCursor at = runningLine();
    state_.errorText = runError(message).text();
    endRun(SectionEnd::error(at), at.section);
}

void Interpreter::stopRun()
{
    state_.status = RunStatus::Idle;
    endRunFinished();
    if (state_.autoRunStarted)
        exitApplication();
}

void Interpreter::endRun(const SectionEnd& end, uint32_t section)
{
    RunState& s = state_;
    s.status = RunStatus::Idle;
    // Stopped while paused, the run is paused no more: a click on a form it left open hears that it
    // has stopped.
    s.debugger.lower(Debugger::kPaused);
    s.currentSection = section;
    releaseRunResources();
    s.host.runEnding();
    const bool failed = end.kind == SectionEnd::Kind::Error;
    s.eval.displayPrecision = kGeneralPrecision;
    s.lastEnd = {!s.errorText.empty(), section, failed ? static_cast<long>(end.at.index) : -1};
    s.host.markPausedLine(section, -1);
    // A failing line is selected; otherwise the view keeps its place in the section.
    s.host.showLine(section, failed ? static_cast<long>(end.at.index) : -1);
    if (!s.errorText.empty()) {
        s.host.showMessage(s.errorText, Icon::Error);
        s.errorText.clear();
    }
    s.host.runEnded(false);
}

// Every end of a run (finished, Stop, an error, PostQuitMessage, ExitQEL) closes the program's files,
// so nothing written is lost and no handle reaches the next run; ends an open print job, so its
// pages come out; and silences the sound. What fails here is reported unless the run already
// ended with an error of its own.
void Interpreter::releaseRunResources()
{
    RunState& s = state_;
    std::string failure;
    if (!s.files.closeAll()) {
        s.host.showMessage(msg::kWindowsErrorNotice, Icon::Error);
        failure = std::string(msg::kWindowsCallFailed) + std::string(msg::kCantWriteToFile);
    }
    if (s.printJob) {
        std::unique_ptr<RunPrintJob> job = std::move(s.printJob);
        s.page = nullptr;
        if (Status finished = job->finish(); !finished && failure.empty())
            failure = finished.failureText();
    }
    s.repainting = false;
    s.host.stopSound();
    if (s.errorText.empty())
        s.errorText = std::move(failure);
}

void Interpreter::exitApplication()
{
    if (state_.running())
        endRunFinished();
    state_.closeRequested = true;
    state_.host.runEnded(true);
}

std::optional<std::string> prepareLines(RunState& s)
{
    for (auto& runs : s.lineRuns)
        runs.clear();
    if (auto error = s.operandCaches.reset(s.program))
        return error;
    for (uint32_t section = 0; section < kSectionCount; ++section) {
        const auto& lines = s.program.sections[section].lines;
        auto& runs = s.lineRuns[section];
        runs.resize(lines.size());
        for (uint32_t i = 0; i < lines.size(); ++i) {
            std::span<CachedOperand> ops = s.operandCaches.lineOperands(section, i);
            runs[i] = {s.dispatch.at(lines[i].type),      nullptr,      ops.data(), &lines[i].block,
                       static_cast<uint32_t>(ops.size()), lines[i].type};
        }
    }
    decodeLines(s);
    return std::nullopt;
}

} // namespace qel
