#pragma once
// The one application-wide program and run state of the environment: the program, its variables,
// the interpreter with its host and the run-time canvas. The main window, the program view and the
// dialogs all work on this one object, which main() creates.

#include "check/lesson_profile.h"
#include "environment/run_window/ide_host.h"
#include "interpreter/interpreter.h"
#include "program/program.h"
#include "runtime/run_canvas.h"
#include "values/variable_table.h"

#include <optional>

namespace qel {

class IdeState {
public:
    IdeState();
    IdeState(const IdeState&) = delete;
    IdeState& operator=(const IdeState&) = delete;

    Program program;
    VariableTable variables;
    IdeHost host;
    RunCanvas canvas;
    Interpreter interpreter;
    // The lesson profile chosen (Tools > Lesson Profile): what Add An Instruction offers, and the
    // lines the view marks as outside it.
    std::optional<LessonProfile> lessonProfile;

    bool running() const { return interpreter.isRunning(); }
    bool paused() const { return interpreter.isRunning() && interpreter.isPaused(); }
};

} // namespace qel
