#include "environment/check/check_commands.h"

#include "environment/check/check_window.h"
#include "environment/ide_state.h"
#include "environment/look/translation.h"
#include "environment/shell/command_set.h"
#include "runtime/latin1.h"

#include <QAction>
#include <QFileDialog>
#include <QSettings>

namespace qel {

CheckCommands::CheckCommands(IdeState& ide, CommandSet& commands, QWidget& window, std::function<QString()> programPath)
    : QObject(&window), ide_(ide), parent_(window), programPath_(std::move(programPath))
{
    chooseProfile = [this] {
        return QFileDialog::getOpenFileName(&parent_, toQString(kLessonProfileTitle), QString(),
                                            tr("Lesson profiles (*.txt);;All files (*)"));
    };
    commands.add(*this, kCmdCheckProgram, tr("C&heck Program"),
                 tr("List what would fail in the program, without running it"), [this] { checkProgram(); });
    commands.add(*this, kCmdLessonProfile, tr("&Lesson Profile..."), tr("Choose the instructions a lesson allows"),
                 [this] {
                     const QString path = chooseProfile();
                     if (!path.isEmpty())
                         useProfile(path);
                 });
    clear_ = commands.add(*this, kCmdClearLessonProfile, tr("&Clear Lesson Profile"),
                          tr("Allow every instruction again"), [this] { useProfile(QString()); });
    enable();
}

void CheckCommands::restore(QSettings& settings)
{
    settings_ = &settings;
    useProfile(settings.value(toQString(kLessonProfileSetting)).toString(), false);
}

void CheckCommands::useProfile(const QString& path, bool report)
{
    ide_.lessonProfile.reset();
    if (!path.isEmpty()) {
        ide_.lessonProfile = readLessonProfile(path.toStdString());
        if (report && !ide_.lessonProfile->problems.empty()) {
            QString problems; // each on a line of its own, after the heading
            for (const ProfileProblem& p : ide_.lessonProfile->problems)
                problems += QChar('\n') + toQString(problemPlace(p)) + translated(p.message);
            ide_.host.showTranslated(translated(kLessonProfileProblems).arg(problems), Icon::Exclamation);
        }
    }
    if (settings_)
        settings_->setValue(toQString(kLessonProfileSetting), path);
    enable();
    Q_EMIT lessonProfileChanged();
}

void CheckCommands::checkProgram()
{
    if (!window_)
        window_ = new CCheckWindow(ide_.host, &parent_);
    const std::string path = programPath_().toStdString();
    window_->showFindings(
        qel::checkProgram(ide_.program, ide_.variables, path, ide_.lessonProfile ? &*ide_.lessonProfile : nullptr));
    window_->show();
    window_->raise();
    window_->activateWindow();
}

CCheckWindow* CheckCommands::window() const { return window_.data(); }

void CheckCommands::enable() { clear_->setEnabled(ide_.lessonProfile.has_value()); }

} // namespace qel
