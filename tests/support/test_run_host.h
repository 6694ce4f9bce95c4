#pragma once
// A run host for tests: records every message and pause, answers message boxes from a queue, and
// when the run pauses takes the next action from a queue (or stops the run when none is left).

#include "forms/form_table.h"
#include "interpreter/interpreter.h"
#include "support/recording_host.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qel::test {

class TestRunHost : public RunHost {
public:
    Button showMessage(std::string_view text, Icon icon, Buttons buttons = Buttons::Ok) override
    {
        return recorder.showMessage(text, icon, buttons);
    }
    void pumpEvents() override
    {
        ++pumps;
        if (onPump)
            onPump();
    }
    void waitForEvents() override
    {
        ++waits;
        if (auto action = takeFront(whenPaused))
            action(*interpreter);
        else
            interpreter->stopRun();
    }
    void markPausedLine(uint32_t section, long line) override
    {
        if (line >= 0)
            pauses.push_back({section, static_cast<uint32_t>(line)});
    }
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title) override
    {
        inputBoxes.push_back({std::string(prompt), std::string(title)});
        return takeFront(inputs);
    }
    void paintEmptyNotice() override { ++emptyPaintNotices; }
    void showVariableList(const VariableListTable& table) override { lists.push_back(table); }
    bool startTimer(uint32_t intervalMs) override
    {
        timerStarts.push_back(intervalMs);
        return timerAccepted;
    }
    void stopTimer() override { ++timerStops; }
    void playSound(const std::string& path) override { sounds.push_back(path); }
    void stopSound() override { ++soundStops; }
    void openDocument(const std::string& target, bool isAddress) override
    {
        documents.push_back((isAddress ? "address " : "file ") + target);
    }
    std::optional<std::string> fileDialog(bool forOpening, const std::string& startFolder) override
    {
        fileDialogs.push_back({forOpening, startFolder});
        return takeFront(fileAnswers);
    }
    PageSink* printer() override { return pages; }
    // Forms open without windows; the run's end closes them.
    FormTable* forms() override { return &formTable; }
    void runEnding() override { formTable.closeAll(); }
    // Each User Form is answered by the next driver (none left: OK at once).
    void showUserForm(UserForm& form) override
    {
        userFormRows.push_back(form.rows);
        if (auto drive = takeFront(userForms))
            drive(form);
        else
            RunHost::showUserForm(form);
    }

    std::vector<std::string> texts() const { return recorder.texts(); }

    RecordingHost recorder;
    std::vector<VariableListTable> lists;
    Interpreter* interpreter = nullptr;
    std::deque<std::function<void(Interpreter&)>> whenPaused;
    std::deque<std::optional<std::string>> inputs;
    std::vector<std::pair<std::string, std::string>> inputBoxes; // prompt and title of each input box
    std::vector<uint32_t> timerStarts;                           // the period of each timer started
    int timerStops = 0;
    bool timerAccepted = true;
    std::vector<Breakpoint> pauses;
    std::vector<std::string> sounds;    // every sound started
    int soundStops = 0;                 // every silencing (each run's end silences)
    std::vector<std::string> documents; // "file PATH" or "address URL", as handed to the desktop
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<std::pair<bool, std::string>> fileDialogs; // opening?, the folder it started in
    PageSink* pages = nullptr;                             // the printer, if any
    std::function<void()> onPump;
    FormTable formTable{recorder, [this](std::string_view function) {
                            if (interpreter)
                                interpreter->formRequest(function);
                        }};
    std::deque<std::function<void(UserForm&)>> userForms;
    std::vector<std::vector<UserFormRow>> userFormRows; // the rows of every User Form shown
    int pumps = 0;
    int waits = 0;
    int emptyPaintNotices = 0;
};

} // namespace qel::test
