#pragma once
// The host of `qeltool run`: every message the user would see becomes a JSON line, answered from the
// event script; a paused run takes its next command (continue, step, stop) from the script. Forms
// open without windows and the script's form events drive them, the User Form included.

#include "app/event_script.h"
#include "app/headless_window.h"
#include "forms/form_table.h"
#include "interpreter/run_host.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <ostream>

namespace qel {

class Interpreter;

class HeadlessHost : public RunHost {
public:
    // The time limit counts from `started`.
    HeadlessHost(std::ostream& out, EventScript script, double timeoutSeconds,
                 std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now());

    void attach(Interpreter& interpreter) { in_ = &interpreter; }
    // The window the run draws into, standing in for the run-time window.
    void attachWindow(HeadlessWindow& window) { window_ = &window; }

    Button showMessage(std::string_view text, Icon icon, Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title) override;
    void pumpEvents() override;
    void waitForEvents() override;
    void markPausedLine(uint32_t section, long line) override;
    void runStarting() override;
    void eventRunStarting() override;
    void paintEmptyNotice() override;
    void showVariableList(const VariableListTable& table) override;
    bool setWindowMaximised(bool maximised) override;
    // The program's timer ticks only while the script waits (`wait MS`), at the ticks' own times.
    bool startTimer(uint32_t intervalMs) override;
    void stopTimer() override;
    void runEnding() override;
    // There is no sound: a sound is reported as a JSON line and plays nothing.
    void playSound(const std::string& path) override;
    void openDocument(const std::string& target, bool isAddress) override;
    // The script's next `file` line answers it; a name the dialog would refuse is reported as its
    // message and the next `file` line answers instead. No `file` line left: it is cancelled.
    std::optional<std::string> fileDialog(bool forOpening, const std::string& startFolder) override;
    PageSink* printer() override { return window_ ? window_->printer() : nullptr; }
    FormTable* forms() override { return &forms_; }
    // The script's next "User Form" events fill its rows and press OK or Cancel; when it has none,
    // OK is pressed with what the form shows.
    void showUserForm(UserForm& form) override;

    // Applies the script's events in order while the program runs; false when the run has ended.
    void runScript();
    bool timedOut() const { return timedOut_; }
    // The section and line that were running when the time ran out.
    uint32_t timeoutSection() const { return timeoutSection_; }
    long timeoutLine() const { return timeoutLine_; }
    // When the time limit runs out (meaningful with a limit).
    std::chrono::steady_clock::time_point deadline() const;
    // From the watchdog's thread: the time is up. The run is interrupted and stops at its next line.
    void timeUp();
    // The printer's PDF file grew by that many bytes, counted against the output limit.
    void countOutput(uint64_t bytes) { (void)takeOutput(bytes); }
    // The printer wrote its file: a record says where, and how many pages.
    void reportPrinted(const std::string& path, int pages);
    // A line of output, written whole even when the watchdog writes too.
    void writeLine(const std::string& line);
    // The same from the watchdog's last resort, which gives up when the output stays busy (a reader
    // that has stopped reading) rather than wait for ever.
    bool writeLineWithin(const std::string& line, std::chrono::milliseconds wait);

private:
    // A record of the run's doing, counted against its output limit.
    void writeOutput(const std::string& line);
    bool takeOutput(uint64_t bytes);
    // Ends the run with the output limit's error once a record has passed it; true when it did.
    bool endedByOutputLimit();
    void apply(const ScriptEvent& e);
    void applyToForm(const ScriptEvent& e);
    // Applies one User Form event; true when the form has closed.
    bool applyToUserForm(const ScriptEvent& e, UserForm& form, std::vector<std::string>& texts);
    // A full repaint: the canvas is cleared and the Paint section runs into it.
    void repaint();
    void resize(WindowSize size);
    bool checkTimeout();
    // Sleeps for a script's wait, running the timer's ticks that fall in it.
    void wait(std::chrono::milliseconds duration);

    std::ostream& out_;
    EventScript script_;
    Interpreter* in_ = nullptr;
    HeadlessWindow* window_ = nullptr;
    std::optional<WindowSize> restoredSize_; // the size before WindowMaximise
    std::chrono::steady_clock::time_point started_;
    double timeoutSeconds_;
    bool timedOut_ = false;
    bool outputPassed_ = false; // a record was held back at the output limit
    std::atomic<bool> timeUp_{false};
    uint32_t timeoutSection_ = 0;
    long timeoutLine_ = 0;
    std::timed_mutex outMutex_;
    std::chrono::milliseconds timerPeriod_{0}; // 0: no timer
    std::chrono::steady_clock::time_point nextTick_;
    FormTable forms_;
};

} // namespace qel
