#pragma once
// What a running program needs from the environment: messages (MessageHost), the event pump, the
// program view, the input box, the program's timer, sound, the printer, the desktop's documents and
// file dialog, and forms (the open forms and OpenForm's User Form). The IDE implements it with Qt;
// qeltool and tests with scripts. File names here are the system's (UTF-8) unless a comment says
// they are a program's text.

#include "program/host.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qel {

class PageSink; // where printed pages go (defined by the runtime)

// The table DisplayVarsInListCtrl shows: one column a variable, one row an element.
struct VariableListTable {
    std::string title;
    std::vector<std::string> columns;           // the column titles
    std::vector<std::vector<std::string>> rows; // the cell texts, one per column
};

class FormTable; // forms/form_table.h

// OpenForm's modal "User Form": one row a prompt and its control.
struct UserFormRow {
    enum class Kind : uint8_t { List, Edit, ReadOnly, Number };
    Kind kind = Kind::Edit;
    std::string prompt;
    std::vector<std::string> items; // a List's items, the first chosen; an edit's one starting text
};

struct UserForm {
    std::vector<UserFormRow> rows;
    // OK pressed with each row's text: stores them; false keeps the form open (after a message).
    std::function<bool(const std::vector<std::string>& texts)> ok;
    // Cancel pressed: asks; true when the user confirmed and the form closes.
    std::function<bool()> cancel;

    // What each row shows when the form opens.
    std::vector<std::string> startingTexts() const
    {
        std::vector<std::string> texts;
        for (const UserFormRow& row : rows)
            texts.push_back(row.items.empty() ? std::string() : row.items.front());
        return texts;
    }
};

class RunHost : public MessageHost {
public:
    // Processes pending window messages; the program's events run nested inside this call.
    virtual void pumpEvents() {}
    // Blocks until something happens (the run is paused): never spins a core.
    virtual void waitForEvents() {}
    // The program view shows the section with that line selected and in view.
    virtual void showLine(uint32_t /*section*/, long /*line*/) {}
    // The program view marks the line at which the run is paused; -1 clears the mark.
    virtual void markPausedLine(uint32_t /*section*/, long /*line*/) {}
    // The run-time input box, modal: the prompt above a reply field with Ok and Cancel. Ok with an
    // empty reply is refused by the box itself ("Input required") and the box stays open, so a
    // reply is never empty; nothing when cancelled or closed. The caller takes at most 512
    // characters of the reply.
    virtual std::optional<std::string> inputBox(std::string_view /*prompt*/, std::string_view /*title*/)
    {
        return std::nullopt;
    }
    // The program's timer (TimerStart): from now on a tick every intervalMs calls the interpreter's
    // timerEvent, which runs the Timer section when the run can take it. False when the window
    // system refused the timer. There is at most one timer; the caller keeps its id.
    virtual bool startTimer(uint32_t /*intervalMs*/) { return false; }
    // TimerStop and the run's end: no more ticks.
    virtual void stopTimer() {}
    // A run begins, before anything of it is set up: what the last run left open (its forms) closes,
    // before this run's memory is counted afresh.
    virtual void runBeginning() {}
    // A run has been set up (variables reset, system variables found) and is about to run its
    // Initialise section: the run-time window is shown and painted.
    virtual void runStarting() {}
    // A run is ending: the program's timer, fonts and print job are released.
    virtual void runEnding() {}
    // An event is about to run a section: the program's font and colours are applied to the target.
    virtual void eventRunStarting() {}
    // An event's run has finished without error: the target's font goes back to the system font.
    virtual void eventRunFinished() {}
    // The Paint section holds only its heading: the window shows the empty-Paint notice instead.
    virtual void paintEmptyNotice() {}
    // WindowMaximise and WindowRestore: the run-time window changes its show state and the repaint
    // that causes (the Paint section) has happened when this returns; false when the window's
    // placement could not be changed.
    virtual bool setWindowMaximised(bool /*maximised*/) { return true; }
    // DisplayVarsInListCtrl: a new variable list window shows the table; it stays after the run.
    virtual void showVariableList(const VariableListTable& /*table*/) {}
    // The run has ended (the view leaves its running state; the application closes when asked).
    virtual void runEnded(bool /*closeApplication*/) {}

    // PlayWave: starts playing a wave file (already found to be one) and returns at once; a sound
    // still playing stops first. A machine without sound plays nothing and the run goes on.
    virtual void playSound(const std::string& /*path*/) {}
    // Stop and every end of a run: the sound playing, if any, stops.
    virtual void stopSound() {}
    // OpenDoc: hands an existing file or a web or mail address (isAddress) to the desktop, which
    // opens it with the program it uses for such documents, without waiting. Nothing is executed.
    virtual void openDocument(const std::string& /*target*/, bool /*isAddress*/) {}
    // OpenSaveLoadDlg: the desktop's file dialog for opening an existing file or choosing one to save
    // over, starting in startFolder (empty: the current directory); it takes only what
    // fileDialogChoice (instructions/documents/file_choice.h) accepts. The full path chosen as a
    // program's text, nothing on Cancel.
    virtual std::optional<std::string> fileDialog(bool /*forOpening*/, const std::string& /*startFolder*/)
    {
        return std::nullopt;
    }
    // PrintStart: where the pages of a print job go, the printer or a PDF file standing in for it;
    // nullptr when no printer settings can be had.
    virtual PageSink* printer() { return nullptr; }
    // The run's open forms (OpenForm2, CloseForm2, Form2Exchange); none where forms cannot open. The
    // run's end may leave them open (without OnClose, a click then runs nothing); the next run's
    // start closes them.
    virtual FormTable* forms() { return nullptr; }
    // OpenForm's User Form, modal until OK or Cancel closes it. Where nobody can answer, OK is pressed
    // at once with the starting texts, and Cancel when that is refused.
    virtual void showUserForm(UserForm& form)
    {
        if (!form.ok(form.startingTexts()))
            (void)form.cancel();
    }
};

} // namespace qel
