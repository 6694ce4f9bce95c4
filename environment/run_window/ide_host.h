#pragma once
// How a run reaches the desktop inside the environment: real message boxes and the run-time input
// box, the Qt event loop as the event pump (a paused run blocks in it), the run-time window in the
// main frame's MDI area, and the program's timer. What the program view and the menus must follow
// (the line to show, the paused line, the run's state and end) goes out as signals.

#include "environment/run_window/printer_pages.h"
#include "environment/run_window/run_recorder.h"
#include "environment/run_window/run_time_window.h"
#include "forms/form_table.h"
#include "interpreter/run_host.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <memory>
#include <vector>

class QMdiArea;
class QSoundEffect;
class QWidget;

namespace qel {

class CInsUserForm;
class CORXFormWnd;
class Interpreter;
class RunCanvas;

class IdeHost : public QObject, public RunHost {
    Q_OBJECT
public:
    enum class RunState { Stopped, Running, Paused };
    Q_ENUM(RunState)

    IdeHost();
    ~IdeHost() override;

    void attach(Interpreter& interpreter, RunCanvas& canvas);
    // The window message boxes and the input box belong to, and the MDI area the run-time window
    // opens in; none (or gone) means top-level windows.
    void setDialogParent(QWidget* parent);
    void setMdiArea(QMdiArea* area);
    // When set, every message goes to it instead of a message box (tests, and `qel --print`, which
    // opens no window).
    MessageHost* messageRecorder = nullptr;
    // When set, the User Form is handed to it instead of being run modally (tests).
    std::function<void(CInsUserForm&)> userFormDriver;

    RunState runState() const;
    // Tells the followers of the run its state when it changed since they were last told (a run
    // starting, pausing, going on after a pause, ending).
    void refreshRunState();

    Button showMessage(std::string_view text, Icon icon, Buttons buttons) override;
    // Translated, then shown (or recorded) as showMessage shows a text.
    using MessageHost::showNotice;
    Button showNotice(const Notice& notice, Icon icon, Buttons buttons = Buttons::Ok) override;
    // A message box (or the messageRecorder) with the text as it will be read: a run's message, a
    // translated notice, or a text the environment put together from translated parts (a heading
    // over a list of notices).
    Button showTranslated(const QString& text, Icon icon, Buttons buttons = Buttons::Ok);
    bool ctrlOrShiftHeld() override;
    void pumpEvents() override;
    void waitForEvents() override;
    void showLine(uint32_t section, long line) override;
    void markPausedLine(uint32_t section, long line) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title) override;
    void runBeginning() override;
    void runStarting() override;
    void runEnding() override;
    void eventRunStarting() override;
    void paintEmptyNotice() override;
    bool setWindowMaximised(bool maximised) override;
    void eventRunFinished() override;
    void runEnded(bool closeApplication) override;
    void showVariableList(const VariableListTable& table) override;

    // Sound through Qt Multimedia: one sound at a time, played without waiting; with no audio device
    // nothing is heard and the run goes on.
    void playSound(const std::string& path) override;
    void stopSound() override;
    // The desktop opens documents (never a program: the family has refused those).
    void openDocument(const std::string& target, bool isAddress) override;
    // The desktop's file dialog, asked again after a name it should not have let through; in tests
    // the fileAnswers stand in for the user.
    std::optional<std::string> fileDialog(bool forOpening, const std::string& startFolder) override;
    PageSink* printer() override { return &printer_; }
    PrinterPages& printerPages() { return printer_; }
    // Tests: the replies of file dialogs (nothing: Cancel), used instead of the dialog when any remain
    // as it opens; a refused reply is followed by the next, and none left is a Cancel.
    std::deque<std::optional<std::string>> fileAnswers;
    // Tests: opened documents are recorded here instead of going to the desktop, when set.
    std::vector<std::string>* documentRecorder = nullptr;
    // The sound playing now (for tests): its source, or empty.
    QString soundSource() const;

    // The program's timer: ticks every intervalMs and runs the Timer section when the run can take it.
    bool startTimer(uint32_t intervalMs) override;
    void stopTimer() override;
    bool timerActive() const { return timer_.isActive(); }

    // The run's form windows (OpenForm2) and OpenForm's User Form. Form windows open in the MDI area
    // and stay when the run ends, as the run-time window does, until the next run, the program's
    // closing or their close box.
    FormTable* forms() override { return &forms_; }
    void showUserForm(UserForm& form) override;

    // Run > Record Run: the next run writes every event it receives to an event script at path,
    // saved when the run ends (the status bar says where).
    void recordNextRun(const QString& path) { recordTo_ = path; }
    // The recording of the current run, if it is being recorded.
    RunRecorder* recorder() const { return recorder_.get(); }

    // The run-time window of the current (or last) run, if any.
    CRunTimeWnd* runTimeWindow() const { return window_; }
    // Closes the run-time window and the forms of the last run (the view that owned them goes away).
    void destroyRunTimeWindow();

Q_SIGNALS:
    // The program view shows the section with the line selected.
    void lineShown(uint32_t section, long line);
    // The program view marks the line the run is paused at (-1: none).
    void pausedLineMarked(uint32_t section, long line);
    // The run started, paused, went on or stopped.
    void runStateChanged(qel::IdeHost::RunState state);
    // The run has ended; the application closes when asked.
    void runFinished(bool closeApplication);
    // DisplayVarsInListCtrl: a variable list window is to show the table.
    void variableListRequested(const qel::VariableListTable& table);
    // A word for the status bar (where printed pages went).
    void statusMessage(const QString& text);

private:
    FormView* makeFormWindow(RunForm& form);

    Interpreter* in_ = nullptr;
    RunCanvas* canvas_ = nullptr;
    QPointer<QWidget> dialogParent_;
    QPointer<QMdiArea> mdiArea_;
    QPointer<CRunTimeWnd> window_;
    FormTable forms_;
    std::vector<QPointer<CORXFormWnd>> formWindows_;
    QTimer timer_;
    QTimer refresh_;                // shows what a running program draws
    QSoundEffect* sound_ = nullptr; // made at the first PlayWave
    PrinterPages printer_;
    RunState toldState_ = RunState::Stopped;
    QString recordTo_;
    std::unique_ptr<RunRecorder> recorder_;
};

// What the status bar says of a recorded run.
inline constexpr const char* kRecordedRun = QT_TRANSLATE_NOOP("qel", "Recorded the run in %1");
inline constexpr const char* kRecordingNotSaved = QT_TRANSLATE_NOOP("qel", "Unable to save the recorded run to %1");

} // namespace qel
