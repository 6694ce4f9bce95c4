#pragma once
// The host of `qeltool run`: every message the user would see becomes a JSON line, answered from the
// event script; a paused run takes its next command (continue, step, stop) from the script. Forms
// open without windows and the script's form events drive them, the User Form included.

#include "app/event_script.h"
#include "forms/form_table.h"
#include "interpreter/run_host.h"

#include <QSize>

#include <chrono>
#include <deque>
#include <ostream>

namespace qel {

class Interpreter;
class RunCanvas;

class HeadlessHost : public RunHost {
public:
    HeadlessHost(std::ostream& out, std::deque<ScriptEvent> script, double timeoutSeconds);

    void attach(Interpreter& interpreter) { in_ = &interpreter; }
    // The canvas the run draws into, standing in for the run-time window.
    void attachCanvas(RunCanvas& canvas) { canvas_ = &canvas; }

    Button showMessage(std::string_view text, Icon icon, Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title) override;
    void pumpEvents() override;
    void waitForEvents() override;
    void markPausedLine(uint32_t section, long line) override;
    void runStarting() override;
    void eventRunStarting() override;
    void paintEmptyNotice() override;
    bool setWindowMaximised(bool maximised) override;
    // The program's timer ticks only while the script waits (`wait MS`), at the ticks' own times.
    bool startTimer(uint32_t intervalMs) override;
    void stopTimer() override;
    void runEnding() override;
    FormTable* forms() override { return &forms_; }
    // The script's next "User Form" events fill its rows and press OK or Cancel; when it has none,
    // OK is pressed with what the form shows.
    void showUserForm(UserForm& form) override;

    // Applies the script's events in order while the program runs; false when the run has ended.
    void runScript();
    bool timedOut() const { return timedOut_; }

private:
    void apply(const ScriptEvent& e);
    void applyToForm(const ScriptEvent& e);
    // Applies one User Form event; true when the form has closed.
    bool applyToUserForm(const ScriptEvent& e, UserForm& form, std::vector<std::string>& texts);
    // A full repaint: the canvas is cleared and the Paint section runs into it.
    void repaint();
    void resize(QSize size);
    bool checkTimeout();
    // Sleeps for a script's wait, running the timer's ticks that fall in it.
    void wait(std::chrono::milliseconds duration);

    std::ostream& out_;
    std::deque<ScriptEvent> script_;
    Interpreter* in_ = nullptr;
    RunCanvas* canvas_ = nullptr;
    QSize restoredSize_; // the size before WindowMaximise
    std::chrono::steady_clock::time_point started_;
    double timeoutSeconds_;
    bool timedOut_ = false;
    std::chrono::milliseconds timerPeriod_{0}; // 0: no timer
    std::chrono::steady_clock::time_point nextTick_;
    FormTable forms_;
};

} // namespace qel
