#pragma once
// Run > Check Program, which shows the Check window with the findings of the open program, and
// Tools > Lesson Profile and Clear Lesson Profile, which choose the lesson profile (remembered in the
// settings and read again at start) or drop it. A profile's problems are shown when it is chosen.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QSettings;
class QWidget;

namespace qel {

class CCheckWindow;
class CommandSet;
class IdeState;

inline constexpr std::string_view kLessonProfileSetting = "LessonProfile";
inline constexpr std::string_view kLessonProfileTitle = "Lesson Profile";
inline constexpr std::string_view kLessonProfileProblems =
    QT_TRANSLATE_NOOP("qel", "The lesson profile has problems:%1");

class CheckCommands : public QObject {
    Q_OBJECT
public:
    // programPath names where the open program is saved (empty: never saved).
    CheckCommands(IdeState& ide, CommandSet& commands, QWidget& window, std::function<QString()> programPath);

    // Asks for a lesson profile's file; an empty name cancels. Tests replace it.
    std::function<QString()> chooseProfile;

    // Uses the profile the settings remember, and remembers each one chosen from now on there.
    void restore(QSettings& settings);
    // Reads the profile at path (empty: none) and makes it the one in use, remembered in the
    // settings; its problems are shown when asked (not at start, where they were shown before).
    void useProfile(const QString& path, bool report = true);
    void checkProgram();
    // The Check window, once Check Program has made it.
    CCheckWindow* window() const;

Q_SIGNALS:
    // The profile in use changed: the view marks other lines.
    void lessonProfileChanged();

private:
    void enable();

    IdeState& ide_;
    QWidget& parent_;
    std::function<QString()> programPath_;
    QPointer<CCheckWindow> window_;
    QSettings* settings_ = nullptr;
    QAction* clear_;
};

} // namespace qel
