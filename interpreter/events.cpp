// The event entry points: a running program's Paint and Timer sections and its handler functions,
// each run as a nested run of the loop.

#include "interpreter/control_flow.h"
#include "interpreter/functions.h"
#include "interpreter/interpreter.h"
#include "values/variable_table.h"

namespace qel {

namespace {

void setInteger(VariableRecord* v, int value)
{
    if (v && v->isNumeric() && !v->words.empty())
        v->setNumberAt(0, static_cast<float>(value));
}

} // namespace

void Interpreter::finishEventRun(uint32_t section, int result, uint32_t savedSection)
{
    runResult[section] = result;
    if (result >= 0) {
        endRun(result, currentSection);
        return;
    }
    host.eventRunFinished();
    if (result == kRunExit) {
        exitApplication();
        return;
    }
    currentSection = savedSection;
}

void Interpreter::runHandler(uint32_t section, const HandlerFunction& handler, uint8_t marker)
{
    if (isPaused() || !handler.found)
        return;
    const uint32_t saved = currentSection;
    currentSection = section;
    host.eventRunStarting();
    LineCursor& cur = cursors[section];
    cur = handler.line;
    if (cur.index + 1 >= program.sections[cur.section].lines.size()) {
        currentSection = saved;
        return; // a declaration with no body does nothing
    }
    ++cur.index;
    if (!callStacks[section].push({handler.line, kCallFrame, marker, static_cast<uint8_t>(section)})) {
        eval.runError("User application stack overflow");
        endRun(static_cast<int>(cur.index), cur.section);
        return;
    }
    finishEventRun(section, runSection(section, false), saved);
}

void Interpreter::paintEvent()
{
    if (runState != 1 || isPaused())
        return;
    const uint32_t saved = currentSection;
    currentSection = kPaint;
    host.eventRunStarting();
    if (program.sections[kPaint].lineCount() == 1) {
        host.paintEmptyNotice();
        currentSection = saved;
        return;
    }
    finishEventRun(kPaint, runSection(kPaint, true), saved);
}

void Interpreter::timerEvent()
{
    if (runState != 1 || runFlags != 0)
        return;
    const uint32_t saved = currentSection;
    currentSection = kTimer;
    host.eventRunStarting();
    finishEventRun(kTimer, runSection(kTimer, true), saved);
}

void Interpreter::keyDownEvent(int virtualKey)
{
    if (runState != 1 || isPaused())
        return;
    setInteger(systemVariables.scanCode, virtualKey);
    keyDownActive = true;
    runHandler(kKeyboard, keyboardHandlers[0], kEventHandlerMarker);
    keyDownActive = false;
}

void Interpreter::charEvent(char character)
{
    if (runState != 1 || isPaused() || keyDownActive)
        return; // characters typed while qelOnKeyDown runs are dropped
    VariableRecord* v = systemVariables.character;
    if (v && v->type == kTypeString && !v->texts.empty())
        v->texts[0] = {std::string(1, character), true};
    runHandler(kKeyboard, keyboardHandlers[1], kEventHandlerMarker);
}

void Interpreter::mouseEvent(int code, int x, int y, bool leftDown, bool rightDown)
{
    if (runState != 1 || isPaused() || code < 1 || code > 5)
        return;
    constexpr int kMove = 5;
    if (code == kMove && (runFlags & (kFlagSkipBreakpoint | kFlagPaused)))
        return;
    setInteger(systemVariables.mouse[0], x);
    setInteger(systemVariables.mouse[1], y);
    if (code == kMove) {
        setInteger(systemVariables.mouse[2], leftDown ? 1 : 0);
        setInteger(systemVariables.mouse[3], rightDown ? 2 : 0);
    }
    runHandler(kMouse, mouseHandlers[code - 1], kEventHandlerMarker);
}

void Interpreter::formRequest(std::string_view functionName)
{
    if (isPaused()) {
        host.showMessage("Form request discarded as still processing previous form request", Icon::Exclamation);
        return;
    }
    if (runState != 1) {
        host.showMessage(
            "Form request discarded as associated script has stopped running, have you remembered to use ToviDontExit?",
            Icon::Exclamation);
        return;
    }
    // The search moves a current line; the function's section gets its own line back afterwards.
    const std::array<LineCursor, kSectionCount> savedCursors = cursors;
    LineCursor function;
    if (!findFunction(*this, functionName, currentSection, function)) {
        cursors = savedCursors;
        host.showMessage("Unable to find the function requested by the form:" + std::string(functionName),
                         Icon::Exclamation);
        return;
    }
    cursors = savedCursors;
    const uint32_t section = function.section;
    runHandler(section, HandlerFunction{function, true}, kFormRequestMarker);
    if (runState == 1)
        cursors[section] = savedCursors[section];
}

} // namespace qel
