#include "environment/run_window/ide_host.h"

#include "environment/forms/form_window.h"
#include "environment/forms/user_form_dialog.h"
#include "environment/look/translation.h"
#include "environment/run_window/run_input_box.h"
#include "environment/run_window/run_time_window.h"
#include "instructions/documents/file_choice.h"
#include "instructions/timer/timer_instructions.h"
#include "interpreter/interpreter.h"
#include "runtime/latin1.h"
#include "runtime/run_canvas.h"
#include "runtime/text_attributes.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>

#include <memory>

namespace qel {

namespace {

constexpr int kRefreshMs = 20;
const QRect kFormWindowRect(50, 50, 450, 350); // corners (50, 50) and (500, 400)

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonChoice {
    QMessageBox::StandardButton qt;
    Button button;
};

std::vector<ButtonChoice> buttonsOf(Buttons buttons)
{
    using B = QMessageBox;
    switch (buttons) {
    case Buttons::Ok: return {{B::Ok, Button::Ok}};
    case Buttons::OkCancel: return {{B::Ok, Button::Ok}, {B::Cancel, Button::Cancel}};
    case Buttons::YesNo: return {{B::Yes, Button::Yes}, {B::No, Button::No}};
    case Buttons::YesNoCancel: return {{B::Yes, Button::Yes}, {B::No, Button::No}, {B::Cancel, Button::Cancel}};
    case Buttons::RetryCancel: return {{B::Retry, Button::Retry}, {B::Cancel, Button::Cancel}};
    }
    return {{B::Ok, Button::Ok}};
}

Button messageBox(const QString& text, Icon icon, Buttons buttons, QWidget* parent)
{
    QMessageBox box(boxIcon(icon), "QEL", text, QMessageBox::NoButton, parent);
    const std::vector<ButtonChoice> choices = buttonsOf(buttons);
    for (const ButtonChoice& c : choices)
        box.addButton(c.qt);
    box.setDefaultButton(choices.front().qt);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    // Closed by its close box or Escape: the box's cancel answer, else its only button.
    Button answer = buttons == Buttons::YesNo ? Button::No : choices.back().button;
    for (const ButtonChoice& c : choices)
        if (c.qt == pressed)
            answer = c.button;
    return answer;
}

} // namespace

IdeHost::IdeHost()
    : forms_(
          *this,
          [this](std::string_view function) {
              if (in_)
                  in_->formRequest(function);
          },
          [this](RunForm& form) { return makeFormWindow(form); })
{
    printer_.printed = [this](const QString& text) { Q_EMIT statusMessage(text); };
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (recorder_)
            recorder_->timer();
        if (in_)
            in_->timerEvent();
        if (window_)
            window_->showCanvas();
    });
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, [this] {
        if (window_ && canvas_ && canvas_->target().painting())
            window_->showCanvas();
    });
}

IdeHost::~IdeHost()
{
    // The windows show the canvas and feed the interpreter that go with this host, so they go now
    // rather than at the event loop's next turn, when events queued for them would reach them.
    forms_.closeAll();
    for (const QPointer<CORXFormWnd>& form : formWindows_)
        if (form)
            delete form->frame();
    if (!window_)
        return;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(window_->parentWidget());
    window_->closeForGood();
    delete (frame ? frame : static_cast<QWidget*>(window_.data()));
}

void IdeHost::attach(Interpreter& interpreter, RunCanvas& canvas)
{
    in_ = &interpreter;
    canvas_ = &canvas;
}

void IdeHost::setDialogParent(QWidget* parent) { dialogParent_ = parent; }

void IdeHost::setMdiArea(QMdiArea* area) { mdiArea_ = area; }

IdeHost::RunState IdeHost::runState() const
{
    if (!in_ || !in_->isRunning())
        return RunState::Stopped;
    return in_->isPaused() ? RunState::Paused : RunState::Running;
}

void IdeHost::refreshRunState()
{
    const RunState now = runState();
    if (now == toldState_)
        return;
    toldState_ = now;
    Q_EMIT runStateChanged(now);
}

Button IdeHost::showMessage(std::string_view text, Icon icon, Buttons buttons)
{
    return showTranslated(toQString(text), icon, buttons);
}

Button IdeHost::showNotice(const Notice& notice, Icon icon, Buttons buttons)
{
    return showTranslated(translated(notice), icon, buttons);
}

Button IdeHost::showTranslated(const QString& text, Icon icon, Buttons buttons)
{
    const Button answer = messageRecorder ? messageRecorder->showMessage(fromQString(text), icon, buttons)
                                          : messageBox(text, icon, buttons, dialogParent_);
    if (recorder_ && buttons != Buttons::Ok) // a box with one button takes no answer
        recorder_->answer(answer);
    return answer;
}

bool IdeHost::ctrlOrShiftHeld()
{
    return (QGuiApplication::queryKeyboardModifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
}

void IdeHost::pumpEvents()
{
    if (window_ && canvas_ && canvas_->target().painting())
        window_->showCanvas();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void IdeHost::waitForEvents()
{
    // A paused run sleeps in the event queue; nothing wakes it but the user.
    refresh_.stop();
    if (window_)
        window_->showCanvas();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (in_ && in_->isRunning())
        refresh_.start();
}

void IdeHost::showLine(uint32_t section, long line) { Q_EMIT lineShown(section, line); }

void IdeHost::markPausedLine(uint32_t section, long line)
{
    // A pause sets the mark and the run's end clears it: either changes the run's state.
    Q_EMIT pausedLineMarked(section, line);
    refreshRunState();
}

std::optional<std::string> IdeHost::inputBox(std::string_view prompt, std::string_view title)
{
    RunInputBox box(prompt, title, *this, dialogParent_);
    std::optional<std::string> reply;
    if (box.exec() == QDialog::Accepted)
        reply = box.reply();
    if (recorder_)
        recorder_->input(reply);
    return reply;
}

void IdeHost::runStarting()
{
    if (!in_ || !canvas_)
        return;
    refreshRunState();
    // The earlier run's window goes; the new run gets a fresh one at (0, 0)-(600, 400).
    destroyRunTimeWindow();
    window_ = new CRunTimeWnd(*canvas_, *in_, *this);
    if (mdiArea_) {
        QMdiSubWindow* frame = mdiArea_->addSubWindow(window_);
        frame->setGeometry(kRunTimeWindowRect);
        frame->show();
    } else {
        window_->setGeometry(kRunTimeWindowRect);
        window_->show();
    }
    canvas_->resize(window_->size());
    if (!recordTo_.isEmpty()) {
        recorder_ = std::make_unique<RunRecorder>(recordTo_);
        recordTo_.clear();
        recorder_->start(in_->runSeed(), canvas_->size().width(), canvas_->size().height());
        window_->setRecorder(recorder_.get());
    }
    canvas_->runStarting();
    window_->showCanvas();
    refresh_.start();
}

FormView* IdeHost::makeFormWindow(RunForm& form)
{
    auto* window = new CORXFormWnd(form.shared_from_this());
    window->setRecorder(recorder_.get());
    QWidget* content = window->putInScrollArea();
    if (mdiArea_) {
        QMdiSubWindow* frame = mdiArea_->addSubWindow(content);
        frame->setGeometry(kFormWindowRect);
        frame->hide(); // shown once the form is built
    } else {
        content->setGeometry(kFormWindowRect);
    }
    std::erase_if(formWindows_, [](const QPointer<CORXFormWnd>& w) { return w.isNull(); });
    formWindows_.emplace_back(window);
    return window;
}

void IdeHost::showUserForm(UserForm& form)
{
    CInsUserForm dialog(form, dialogParent_);
    if (recorder_) {
        recorder_->userFormOpened(form);
        dialog.deciding = [this, &form](bool ok, const std::vector<std::string>& texts) {
            if (recorder_)
                recorder_->userForm(form, texts, ok);
        };
    }
    if (userFormDriver)
        userFormDriver(dialog);
    else
        dialog.exec();
}

void IdeHost::runBeginning() { forms_.closeAll(); }

void IdeHost::runEnding()
{
    // The forms stay open with the run-time window, showing the run's last state; a click on one
    // now says that the run has stopped.
    if (canvas_)
        releaseProgramTimer(*this, canvas_->state());
    else
        stopTimer();
}

void IdeHost::eventRunStarting()
{
    if (canvas_)
        applyTextAttributes(canvas_->target());
}

void IdeHost::eventRunFinished()
{
    if (window_)
        window_->showCanvas();
}

void IdeHost::paintEmptyNotice()
{
    if (canvas_)
        canvas_->paintEmptyNotice();
}

bool IdeHost::setWindowMaximised(bool maximised)
{
    if (!window_)
        return true;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(window_->parentWidget()) ? window_->parentWidget()
                                                                           : static_cast<QWidget*>(window_);
    // The program asked for the new size: a replay's run asks for it too, so it is no event to record.
    window_->setRecorder(nullptr);
    if (maximised)
        frame->showMaximized();
    else
        frame->showNormal();
    // The repaint the new size causes (and with it the Paint section) happens before the next line.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (window_ && window_->size() != canvas_->size())
        window_->repaintCanvas();
    if (window_)
        window_->setRecorder(recorder_.get());
    return true;
}

void IdeHost::runEnded(bool closeApplication)
{
    refresh_.stop();
    if (recorder_) {
        if (window_)
            window_->setRecorder(nullptr);
        for (const QPointer<CORXFormWnd>& form : formWindows_)
            if (form)
                form->setRecorder(nullptr);
        const QString where = QDir::toNativeSeparators(recorder_->path());
        Q_EMIT statusMessage(translated(recorder_->save() ? kRecordedRun : kRecordingNotSaved).arg(where));
        recorder_.reset();
    }
    // With no program running the window shows only its background.
    if (window_ && canvas_) {
        canvas_->repaint();
        window_->showCanvas();
    }
    refreshRunState();
    Q_EMIT runFinished(closeApplication);
}

void IdeHost::playSound(const std::string& path)
{
    if (!sound_)
        sound_ = new QSoundEffect(this);
    sound_->stop();
    sound_->setSource(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
    sound_->play(); // starts once the sound is loaded; an audio device missing means silence
}

void IdeHost::stopSound()
{
    if (sound_) {
        sound_->stop();
        sound_->setSource(QUrl());
    }
}

QString IdeHost::soundSource() const { return sound_ ? sound_->source().toLocalFile() : QString(); }

void IdeHost::openDocument(const std::string& target, bool isAddress)
{
    if (documentRecorder) {
        documentRecorder->push_back(target);
        return;
    }
    const QString text = isAddress ? QString::fromUtf8(target.c_str()) : QFile::decodeName(target.c_str());
    if (isAddress) {
        const QUrl url(text); // tolerant: a blank in an address is sent as %20
        const QString scheme = url.scheme().toLower();
        if (url.isValid() && (scheme == "http" || scheme == "https" || scheme == "mailto"))
            QDesktopServices::openUrl(url);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(text));
}

std::optional<std::string> IdeHost::fileDialog(bool forOpening, const std::string& startFolder)
{
    const bool answered = !fileAnswers.empty(); // a test stands in for the user
    std::unique_ptr<QFileDialog> dialog;
    const auto nextAnswer = [&]() -> std::optional<std::string> {
        if (answered) {
            if (fileAnswers.empty())
                return std::nullopt;
            std::optional<std::string> typed = fileAnswers.front();
            fileAnswers.pop_front();
            return typed;
        }
        // The dialog is shown again after a name the desktop's own dialog let through but this one
        // refuses.
        if (!dialog) {
            dialog = std::make_unique<QFileDialog>(dialogParent_, QString(), QFile::decodeName(startFolder.c_str()));
            dialog->setAcceptMode(forOpening ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            // Opening needs an existing file; saving an existing folder, and the dialog asks before a
            // file is replaced.
            dialog->setFileMode(forOpening ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
            dialog->setDefaultSuffix(toQString(kFileDialogExtension.substr(1)));
        }
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return std::nullopt;
        return fromQString(dialog->selectedFiles().front());
    };
    const auto recordedAnswer = [&]() -> std::optional<std::string> {
        std::optional<std::string> reply = nextAnswer();
        if (recorder_)
            recorder_->file(reply);
        return reply;
    };
    return chooseFile(recordedAnswer, startFolder, forOpening, *this);
}

bool IdeHost::startTimer(uint32_t intervalMs)
{
    timer_.start(static_cast<int>(std::min<uint32_t>(intervalMs, INT32_MAX)));
    return true;
}

void IdeHost::stopTimer() { timer_.stop(); }

void IdeHost::destroyRunTimeWindow()
{
    forms_.closeAll(); // the forms the last run left open go with it
    if (!window_)
        return;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(window_->parentWidget());
    window_->closeForGood();
    if (frame)
        frame->deleteLater(); // frame owns the window
    else
        window_->deleteLater();
    window_ = nullptr;
}

void IdeHost::showVariableList(const VariableListTable& table) { Q_EMIT variableListRequested(table); }

} // namespace qel
