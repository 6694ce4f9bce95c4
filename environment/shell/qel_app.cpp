#include "environment/shell/qel_app.h"

#include "environment/check/check_commands.h"
#include "environment/form_designer/form_designers.h"
#include "environment/shell/main_frame.h"
#include "runtime/latin1.h"

#include <QScreen>
#include <QSettings>

namespace qel {

namespace {

constexpr int kRecentFiles = 9;
constexpr int kExtraRecentFiles = 10;

} // namespace

CQelApp::CQelApp(std::unique_ptr<QSettings> settings)
    : settings_(settings
                    ? std::move(settings)
                    : std::make_unique<QSettings>(toQString(kSettingsOrganisation), toQString(kSettingsApplication))),
      recentFiles_(QStringLiteral("Recent File List"), kRecentFiles),
      formsRecentFiles_(QStringLiteral("FormsRecent File List"), kExtraRecentFiles),
      programsFileList_(QStringLiteral("QEL Programs File List"), kExtraRecentFiles)
{
    recentFiles_.read(*settings_);
    formsRecentFiles_.read(*settings_);
    programsFileList_.read(*settings_);
    frame_ = std::make_unique<CMainFrame>(ide_, recentFiles_);
    frame_->formDesigners().setRecentFiles(&formsRecentFiles_);
    frame_->checkCommands().restore(*settings_);
}

CQelApp::~CQelApp()
{
    writeSettings();
    // The main window goes before the state its views and the run-time window look at.
    frame_.reset();
}

bool CQelApp::start(const QStringList& arguments)
{
    bool ok = true;
    if (arguments.isEmpty())
        ok = frame_->fileNew();
    else
        ok = frame_->openFile(arguments.front());
    if (!ok)
        return false;
    // Without a window manager to maximise it, the window still takes the whole screen.
    if (const QScreen* screen = frame_->screen())
        frame_->setGeometry(screen->availableGeometry());
    frame_->showMaximized();
    return true;
}

void CQelApp::writeSettings()
{
    recentFiles_.write(*settings_);
    formsRecentFiles_.write(*settings_);
    programsFileList_.write(*settings_);
    settings_->sync();
}

} // namespace qel
