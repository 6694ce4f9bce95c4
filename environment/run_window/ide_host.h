#pragma once
// How a run reaches the desktop inside the environment: real message boxes and the run-time input
// box, the Qt event loop as the event pump (a paused run blocks in it), the run-time window in the
// main frame's MDI area, the program's timer, and the program view through the hooks the main
// window sets.

#include "environment/run_window/run_time_window.h"
#include "interpreter/run_host.h"

#include <QPointer>
#include <QTimer>

#include <functional>

class QMdiArea;
class QWidget;

namespace qel {

class Interpreter;
class RunCanvas;

struct IdeHooks {
    std::function<QWidget*()> dialogParent;              // the window message boxes belong to
    std::function<QMdiArea*()> mdiArea;                  // where the run-time window opens
    std::function<void(uint32_t, long)> showLine;        // the view shows a section with a line selected
    std::function<void(uint32_t, long)> markPausedLine;  // the view marks the paused line (-1: none)
    std::function<void(bool closeApplication)> runEnded; // the view leaves its running state
};

class IdeHost : public RunHost {
public:
    IdeHost();
    ~IdeHost() override;

    void attach(Interpreter& interpreter, RunCanvas& canvas);
    IdeHooks hooks;
    // When set, every message goes to it instead of a message box (tests).
    MessageHost* messageRecorder = nullptr;

    Button showMessage(std::string_view text, Icon icon, Buttons buttons) override;
    bool ctrlOrShiftHeld() override;
    void pumpEvents() override;
    void waitForEvents() override;
    void showLine(uint32_t section, long line) override;
    void markPausedLine(uint32_t section, long line) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title) override;
    void runStarting() override;
    void runEnding() override;
    void eventRunStarting() override;
    void paintEmptyNotice() override;
    bool setWindowMaximised(bool maximised) override;
    void eventRunFinished() override;
    void runEnded(bool closeApplication) override;

    // The program's timer: ticks every intervalMs and runs the Timer section when the run can take it.
    bool startTimer(uint32_t intervalMs) override;
    void stopTimer() override;
    bool timerActive() const { return timer_.isActive(); }

    // The run-time window of the current (or last) run, if any.
    CRunTimeWnd* runTimeWindow() const { return window_; }
    // Closes the run-time window (the view that owned it goes away).
    void destroyRunTimeWindow();

private:
    Interpreter* in_ = nullptr;
    RunCanvas* canvas_ = nullptr;
    QPointer<CRunTimeWnd> window_;
    QTimer timer_;
    QTimer refresh_; // shows what a running program draws
};

} // namespace qel
