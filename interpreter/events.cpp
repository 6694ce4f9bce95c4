// The event entry points: a running program's Paint and Timer sections and its handler functions,
// each run as a nested run of the loop.

#include "interpreter/functions.h"
#include "interpreter/interpreter.h"
#include "messages/run_errors.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

namespace qel {

namespace {

void setInteger(VariableRecord* v, int value)
{
    // Key codes and coordinates are far inside the Integer range, so the store cannot fail.
    if (v && v->isNumeric() && !v->words.empty())
        static_cast<void>(v->setNumberAt(0, static_cast<float>(value)));
}

// Whether the section that runs now is a repaint's: only that one draws on the window while a print
// job is open. Events that run nested inside it draw where the program draws.
class RepaintScope {
public:
    RepaintScope(bool& flag, bool repainting) : flag_(flag), saved_(flag) { flag = repainting; }
    ~RepaintScope() { flag_ = saved_; }
    RepaintScope(const RepaintScope&) = delete;
    RepaintScope& operator=(const RepaintScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace

void Interpreter::finishEventRun(const SectionEnd& end, uint32_t savedSection)
{
    if (end.kind == SectionEnd::Kind::Error) {
        endRun(end, state_.currentSection);
        return;
    }
    state_.host.eventRunFinished();
    if (end.kind == SectionEnd::Kind::Exit) {
        exitApplication();
        return;
    }
    state_.currentSection = savedSection;
}

void Interpreter::runHandler(uint32_t section, const HandlerFunction& handler, uint8_t marker)
{
    RunState& s = state_;
    if (isPaused() || !handler.found)
        return;
    const uint32_t saved = s.currentSection;
    s.currentSection = section;
    s.host.eventRunStarting();
    LineCursor& cur = s.cursors[section];
    cur = handler.line;
    if (cur.index + 1 >= s.program.sections[cur.section].lines.size()) {
        s.currentSection = saved;
        return; // a declaration with no body does nothing
    }
    ++cur.index;
    const RepaintScope scope(s.repainting, false);
    if (!s.callStacks[section].push({handler.line, kCallFrame, marker, static_cast<uint8_t>(section)})) {
        s.errorText = runError(msg::kStackOverflow).text();
        endRun(SectionEnd::error(cur), cur.section);
        return;
    }
    finishEventRun(runSection(section, false), saved);
}

void Interpreter::paintEvent()
{
    RunState& s = state_;
    if (!s.running() || isPaused())
        return;
    const uint32_t saved = s.currentSection;
    s.currentSection = kPaint;
    s.host.eventRunStarting();
    if (s.program.sections[kPaint].lineCount() == 1) {
        s.host.paintEmptyNotice();
        s.currentSection = saved;
        return;
    }
    const RepaintScope scope(s.repainting, true);
    finishEventRun(runSection(kPaint, true), saved);
}

void Interpreter::timerEvent()
{
    RunState& s = state_;
    if (!s.running() || s.debugger.flags() != 0)
        return;
    const uint32_t saved = s.currentSection;
    s.currentSection = kTimer;
    s.host.eventRunStarting();
    const RepaintScope scope(s.repainting, false);
    finishEventRun(runSection(kTimer, true), saved);
}

void Interpreter::keyDownEvent(int virtualKey)
{
    RunState& s = state_;
    if (!s.running() || isPaused())
        return;
    setInteger(s.systemVariables.scanCode, virtualKey);
    s.keyDownActive = true;
    runHandler(kKeyboard, s.keyboardHandlers[0], kEventHandlerMarker);
    s.keyDownActive = false;
}

void Interpreter::charEvent(char character)
{
    RunState& s = state_;
    if (!s.running() || isPaused() || s.keyDownActive)
        return; // characters typed while qelOnKeyDown runs are dropped
    VariableRecord* v = s.systemVariables.character;
    if (v && v->type == kTypeString && !v->texts.empty())
        setShortText(s.eval, v->texts[0], std::string_view(&character, 1));
    runHandler(kKeyboard, s.keyboardHandlers[1], kEventHandlerMarker);
}

void Interpreter::mouseEvent(int code, int x, int y, bool leftDown, bool rightDown)
{
    RunState& s = state_;
    if (!s.running() || isPaused() || code < 1 || code > 5)
        return;
    constexpr int kMove = 5;
    if (code == kMove && (s.debugger.flags() & (Debugger::kSkipBreakpoint | Debugger::kPaused)))
        return;
    setInteger(s.systemVariables.mouse[0], x);
    setInteger(s.systemVariables.mouse[1], y);
    if (code == kMove) {
        setInteger(s.systemVariables.mouse[2], leftDown ? 1 : 0);
        setInteger(s.systemVariables.mouse[3], rightDown ? 2 : 0);
    }
    runHandler(kMouse, s.mouseHandlers[code - 1], kEventHandlerMarker);
}

void Interpreter::formRequest(std::string_view functionName)
{
    RunState& s = state_;
    if (isPaused()) {
        s.host.showMessage("Form request discarded as still processing previous form request", Icon::Exclamation);
        return;
    }
    if (!s.running()) {
        s.host.showMessage("Form request discarded as associated script has stopped running, have you remembered to "
                           "use ToviDontExit?",
                           Icon::Exclamation);
        return;
    }
    const std::optional<LineCursor> function = findFunction(s.program, functionName);
    if (!function) {
        s.host.showMessage("Unable to find the function requested by the form:" + std::string(functionName),
                           Icon::Exclamation);
        return;
    }
    // The function's section gets its own line back afterwards.
    const uint32_t section = function->section;
    const LineCursor saved = s.cursors[section];
    runHandler(section, HandlerFunction{*function, true}, kFormRequestMarker);
    if (s.running())
        s.cursors[section] = saved;
}

} // namespace qel
