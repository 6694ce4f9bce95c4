#include "environment/shell/qel_app.h"

#include "environment/check/check_commands.h"
#include "environment/form_designer/form_designers.h"
#include "environment/form_designer/forms_edit_form.h"
#include "environment/shell/main_frame.h"
#include "forms/form_file.h"
#include "runtime/latin1.h"

#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>

namespace qel {

namespace {

constexpr int kRecentFiles = 9;
constexpr int kExtraRecentFiles = 10;

// A form file, known by its name or by how it begins (the file manager hands over either), opens in
// a forms designer; any other file is opened as a program.
bool isFormFile(const QString& path)
{
    if (path.endsWith(toQString(kFormFileExtension), Qt::CaseInsensitive))
        return true;
    // Only a regular file is read: opening a FIFO would wait for a writer.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) &&
           file.read(qint64(kFormFileStart.size())) ==
               QByteArrayView(kFormFileStart.data(), qsizetype(kFormFileStart.size()));
}

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
    if (arguments.isEmpty()) {
        ok = frame_->fileNew();
    } else if (isFormFile(arguments.front())) {
        // The form gets a designer beside a new program, as Forms, Form Design would give it.
        CFormsEditForm* designer = frame_->fileNew() ? frame_->formDesigners().openDesigner() : nullptr;
        ok = designer && designer->openPath(arguments.front());
    } else {
        ok = frame_->openFile(arguments.front());
    }
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
