#include "interpreter/interpreter.h"

#include "interpreter/functions.h"
#include "program/references.h"
#include "program/system_names.h"
#include "values/variable_table.h"

namespace qel {

Interpreter::Interpreter(Program& p, VariableTable& v, RunHost& h, const DispatchTable& d)
    : program(p), variables(v), host(h), dispatch(d), eval(v)
{}

void Interpreter::startRun(bool profiled)
{
    runState = 1;
    profiling = profiled;
    runResult.fill(kRunFinished);
    closeRequested = false;
    host.showLine(kInitialise, program.sections[kInitialise].currentLine);

    eval.caseSensitive = false;
    variables.resetVariablesForRun();
    runFlags = 0;
    eval.displayPrecision = kRunStartPrecision;
    keyDownActive = false;
    iterations = 0;
    stopLine.reset();
    for (CallStack& stack : callStacks)
        stack.clear();
    for (uint32_t s = 0; s < kSectionCount; ++s)
        cursors[s] = {s, 0};

    if (!runStartSetUp()) {
        endRun(0, currentSection);
        return;
    }
    if (auto error = prepareLines()) {
        eval.runErrorText = *error;
        endRun(0, currentSection);
        return;
    }
    resetCallCaches(*this);
    currentSection = kInitialise;
    host.runStarting();
    if (runState != 1)
        return; // the window's first paint ended the run (an error in the Paint section)

    int result = runResult[kInitialise] = runSection(kInitialise, true);
    if (result >= 0)
        endRun(result, currentSection);
    else if (result == kRunExit)
        exitApplication();
}

// The system variables and handler functions, looked up by name at every run start.
bool Interpreter::runStartSetUp()
{
    const auto findVariable = [&](std::string_view name) -> VariableRecord* {
        VariableRecord* v = variables.findVariable(name);
        if (!v)
            eval.runError("Can't find the QEL system variable " + std::string(name) + ".");
        return v;
    };
    const auto findHandler = [&](std::string_view name, uint32_t section, HandlerFunction& out) {
        out.found = findFunction(*this, name, section, out.line);
        if (!out.found)
            eval.runError(std::string(name) + " handler function missing.");
        return out.found;
    };

    currentSection = kKeyboard;
    systemVariables = {};
    if (!(systemVariables.scanCode = findVariable("qelScanCode")) ||
        !(systemVariables.character = findVariable("qelChar")))
        return false;
    if (systemVariables.character->type == kTypeString && !systemVariables.character->texts.empty())
        systemVariables.character->texts[0] = {"x", true};
    if (!findHandler("qelOnChar", kKeyboard, keyboardHandlers[1]) ||
        !findHandler("qelOnKeyDown", kKeyboard, keyboardHandlers[0]))
        return false;

    currentSection = kMouse;
    for (size_t i = 0; i < std::size(kMouseVariables); ++i)
        if (!(systemVariables.mouse[i] = findVariable(kMouseVariables[i].name)))
            return false;
    for (size_t i = 0; i < std::size(kMouseHandlers); ++i)
        if (!findHandler(kMouseHandlers[i], kMouse, mouseHandlers[i]))
            return false;
    return true;
}

void Interpreter::stopRun()
{
    runState = 0;
    endRun(kRunFinished, kInitialise);
    if (autoRunStarted)
        exitApplication();
}

void Interpreter::endRun(int result, uint32_t section)
{
    runState = 0;
    currentSection = section;
    host.runEnding();
    Section& view = program.sections[section];
    if (result >= 0) {
        view.currentLine = result;
        view.selectionStart = view.selectionEnd = result;
    }
    eval.displayPrecision = kGeneralPrecision;
    lastEnd = {result, section, !eval.runErrorText.empty()};
    host.markPausedLine(section, -1);
    host.showLine(section, view.currentLine);
    if (!eval.runErrorText.empty()) {
        host.showMessage(eval.runErrorText, Icon::Error);
        eval.runErrorText.clear();
    }
    host.runEnded(false);
}

Outcome Interpreter::windowsCallFailed(std::string_view detail)
{
    host.showMessage(kWindowsErrorNotice, Icon::Error);
    eval.runErrorText = std::string(kWindowsCallFailed) + std::string(detail);
    return Outcome::Fail;
}

void Interpreter::exitApplication()
{
    if (runState == 1)
        endRun(kRunFinished, kInitialise);
    closeRequested = true;
    host.runEnded(true);
}

std::optional<std::string> Interpreter::prepareLines()
{
    for (auto& runs : lineRuns)
        runs.clear();
    if (auto error = operandCaches.reset(program))
        return error;
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        const auto& lines = program.sections[s].lines;
        auto& runs = lineRuns[s];
        runs.resize(lines.size());
        for (uint32_t i = 0; i < lines.size(); ++i) {
            std::span<CachedOperand> ops = operandCaches.lineOperands(s, i);
            runs[i] = {dispatch.at(lines[i].type), ops.data(), &lines[i].block, static_cast<uint32_t>(ops.size()),
                       lines[i].type};
        }
    }
    return std::nullopt;
}

bool Interpreter::toggleBreakpoint(uint32_t section, uint32_t line)
{
    Breakpoint b{section, line};
    for (auto it = breakpoints.begin(); it != breakpoints.end(); ++it)
        if (*it == b) {
            breakpoints.erase(it);
            return true;
        }
    if (breakpoints.size() >= kMaxBreakpoints)
        return false;
    breakpoints.push_back(b);
    return true;
}

} // namespace qel
