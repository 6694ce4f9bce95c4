#pragma once
// The application: the one program and run state, the settings with the recent-file lists, and the
// main window. main() makes a QApplication, then one CQelApp, and calls start().

#include "environment/ide_state.h"
#include "environment/shell/recent_file_list.h"

#include <QObject>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace qel {

class CMainFrame;

class CQelApp : public QObject {
    Q_OBJECT
public:
    // settings: where the settings live; by default the user's "Brenmoor" / "QEL" settings.
    explicit CQelApp(std::unique_ptr<QSettings> settings = nullptr);
    ~CQelApp() override;

    // Processes the command line (the arguments after the program's name): a program file opens
    // it, a form file (by its ending or its first bytes) opens in a forms designer beside a new
    // program, none creates a new program with its handler lines. Then shows the main window
    // maximised.
    // False when the command line could not be processed; the application should end.
    bool start(const QStringList& arguments);

    // Writes the recent-file lists back to the settings (done on destruction too).
    void writeSettings();

    IdeState& ide() { return ide_; }
    CMainFrame& mainFrame() { return *frame_; }
    RecentFileList& recentFiles() { return recentFiles_; }
    RecentFileList& formsRecentFiles() { return formsRecentFiles_; }
    RecentFileList& programsFileList() { return programsFileList_; }

private:
    std::unique_ptr<QSettings> settings_;
    IdeState ide_;
    RecentFileList recentFiles_;
    RecentFileList formsRecentFiles_;
    RecentFileList programsFileList_;
    std::unique_ptr<CMainFrame> frame_;
};

inline constexpr const char* kSettingsOrganisation = "Brenmoor";
inline constexpr const char* kSettingsApplication = "QEL";

} // namespace qel
