#include "environment/shell/main_frame.h"
#include "environment/look/translation.h"

#include "environment/check/check_commands.h"
#include "environment/form_designer/form_designers.h"
#include "environment/form_designer/forms_edit_form.h"
#include "environment/inspection/inspection_windows.h"
#include "environment/printing/print_commands.h"

#include "environment/help/help.h"
#include "environment/ide_state.h"
#include "environment/program_view/qel_view.h"
#include "environment/program_view/view_commands.h"
#include "environment/run_window/run_commands.h"
#include "environment/shell/about_dialog.h"
#include "environment/shell/child_frame.h"
#include "environment/shell/data_folder.h"
#include "environment/shell/main_frame_icons.h"
#include "environment/shell/main_frame_status.h"
#include "environment/shell/qel_doc.h"
#include "environment/shell/recent_file_list.h"
#include "interpreter/functions.h"
#include "program/instruction_table.h"
#include "runtime/latin1.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>

#include <algorithm>
#include <utility>

namespace qel {

CMainFrame::CMainFrame(IdeState& ide, RecentFileList& recentFiles, QWidget* parent)
    : QMainWindow(parent),
      ide_(ide),
      recent_(recentFiles),
      commands_(*this),
      doc_(new CQelDoc(ide, this)),
      mdi_(new QMdiArea(this))
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);
    // The run-time window opens at its own size beside a maximised document window.
    mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    setCentralWidget(mdi_);
    statusBar()->showMessage(tr("Ready"));
    panes_ = new StatusPanes(*statusBar());
    chooseFile = [this](FileDialogKind kind, const QString& suggestion) { return defaultFileDialog(kind, suggestion); };

    // The actions are made in menu order: File, Edit and View, Run, then Forms, Window and Help.
    createFileCommands();
    auto* printCommands = new PrintCommands(ide_, commands_, *this, [this] { return doc_->path(); });
    auto* viewCommands = new ViewCommands(commands_, this);
    auto* runCommands = new RunCommands(ide_.host, commands_, this);
    // A recording is suggested beside the program, named after it.
    runCommands->chooseScript = [this] {
        const QFileInfo program(doc_->path());
        const QString name =
            (doc_->hasPath() ? program.completeBaseName() : QStringLiteral("run")) + QStringLiteral("-events.txt");
        return chooseFile(FileDialogKind::RecordRun, doc_->hasPath() ? program.dir().filePath(name) : name);
    };
    checkCommands_ = new CheckCommands(ide_, commands_, *this, [this] { return doc_->path(); });
    connect(checkCommands_, &CheckCommands::lessonProfileChanged, this, [this] {
        if (child_)
            child_->view()->viewport()->update();
    });
    inspection_ = new InspectionWindows(ide_, commands_, *this, [this] {
        return doc_->hasPath() ? QFileInfo(doc_->path()).absolutePath() : QString();
    });
    formDesigners_ = new FormDesigners(*mdi_, ide_.host, this);
    formDesigners_->functionCheck = [this](std::string_view name) {
        return findFunction(ide_.program, name).has_value();
    };
    createWindowAndHelpCommands();
    createToolBar();
    createMenus();

    ide_.host.setDialogParent(this);
    ide_.host.setMdiArea(mdi_);

    connect(this, &CMainFrame::documentViewChanged, viewCommands, &ViewCommands::setView);
    connect(this, &CMainFrame::documentViewChanged, runCommands, &RunCommands::setView);
    connect(this, &CMainFrame::documentViewChanged, printCommands, &PrintCommands::setView);
    connect(this, &CMainFrame::documentViewChanged, this, &CMainFrame::enableFileCommands);
    connect(&ide_.host, &IdeHost::runStateChanged, this, &CMainFrame::enableFileCommands);
    connect(&ide_.host, &IdeHost::statusMessage, statusBar(),
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::enableWindowCommands);
    // A window maximised or restored, or another one active, may change who names the caption.
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window)
            connect(window, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::updateTitle, Qt::UniqueConnection);
        updateTitle();
    });
    connect(doc_, &CQelDoc::titleChanged, this, &CMainFrame::updateTitle);
    connect(doc_, &CQelDoc::modifiedChanged, this, &CMainFrame::updateTitle);
    updateTitle();
    enableFileCommands();
    enableWindowCommands();
}

CMainFrame::~CMainFrame()
{
    // The windows are going: the window commands and the caption no longer follow them.
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* window : mdi_->subWindowList())
        disconnect(window, nullptr, this, nullptr);
    ide_.host.destroyRunTimeWindow();
    delete std::exchange(child_, nullptr);
}

CQelView* CMainFrame::view() const { return child_ ? child_->view() : nullptr; }

bool CMainFrame::saveModified()
{
    if (!hasDocument() || !doc_->isModified())
        return true;
    switch (ide_.host.showNotice(kSaveChangesTo, Icon::Exclamation, Buttons::YesNoCancel, fromQString(doc_->title()))) {
    case Button::Yes: return fileSave();
    case Button::No: return true;
    default: return false;
    }
}

bool CMainFrame::fileNew()
{
    if (ide_.running() || !saveModified())
        return false;
    doc_->newProgram(QStringLiteral("QEL%1").arg(++newDocumentCount_));
    showDocument();
    return true;
}

bool CMainFrame::fileOpen()
{
    if (ide_.running() || !saveModified())
        return false;
    // A new program has no folder of its own: the dialog starts among the example programs.
    const QString path = chooseFile(FileDialogKind::Open, doc_->hasPath() ? QString() : examplesFolder());
    return !path.isEmpty() && loadFile(path);
}

bool CMainFrame::openFile(const QString& path)
{
    if (ide_.running() || !saveModified())
        return false;
    return loadFile(path);
}

bool CMainFrame::openRecentFile(int index)
{
    if (index < 0 || index >= recent_.files().size())
        return false;
    return openFile(recent_.files()[index]);
}

bool CMainFrame::loadFile(const QString& path)
{
    switch (doc_->open(path)) {
    case CQelDoc::OpenStatus::Opened:
        recent_.add(path);
        rebuildRecentFileMenu();
        showDocument();
        return true;
    case CQelDoc::OpenStatus::NotOpened:
        // The damaged file's reading has reset the program: no document is left open.
        closeDocument();
        break;
    case CQelDoc::OpenStatus::Unreadable: break;
    }
    recent_.remove(path);
    rebuildRecentFileMenu();
    return false;
}

bool CMainFrame::fileSave()
{
    if (!hasDocument() || ide_.running())
        return false;
    if (!doc_->hasPath())
        return fileSaveAs();
    return saveTo(doc_->path());
}

bool CMainFrame::fileSaveAs()
{
    if (!hasDocument() || ide_.running())
        return false;
    const QString suggestion = doc_->hasPath() ? doc_->path() : doc_->title() + QLatin1String(kProgramFileExtension);
    QString path = chooseFile(FileDialogKind::SaveAs, suggestion);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(kProgramFileExtension);
    return saveTo(path);
}

bool CMainFrame::saveTo(const QString& path)
{
    // Saving ends the showing of the last profiled run's times, and the click that closed the
    // file dialog is not a drag.
    CQelView* v = view();
    v->model().discardProfile();
    v->suppressDrag();
    v->viewport()->update();
    if (!doc_->saveAs(path))
        return false;
    recent_.add(path);
    rebuildRecentFileMenu();
    return true;
}

bool CMainFrame::fileClose()
{
    if (!hasDocument() || ide_.running() || !saveModified())
        return false;
    closeDocument();
    return true;
}

void CMainFrame::showDocument()
{
    const bool opening = !child_;
    if (opening) {
        child_ = new CChildFrame(ide_);
        mdi_->addSubWindow(child_);
        CQelView* view = child_->view();
        connect(view, &CQelView::documentModified, doc_, [this] { doc_->setModified(true); });
        connect(view, &CQelView::sectionPaneChanged, this, &CMainFrame::setSectionPane);
        // Closing asks before it deletes the frame, so it must not run inside the frame's own event.
        connect(view, &CQelView::exitRequested, this, &QWidget::close, Qt::QueuedConnection);
        connect(child_, &CChildFrame::closeRequested, this, &CMainFrame::fileClose, Qt::QueuedConnection);
        child_->showMaximized();
    }
    CQelView* view = child_->view();
    view->programReplaced();
    view->setAutoRun(doc_->autoRun());
    mdi_->setActiveSubWindow(child_);
    view->setFocus();
    setSectionPane(view->sectionPaneText());
    updateTitle();
    if (opening)
        Q_EMIT documentViewChanged(view);
}

void CMainFrame::closeDocument()
{
    // The document's windows go with it: the run-time window too.
    ide_.host.destroyRunTimeWindow();
    // The frame is forgotten first: deleting it activates other windows.
    delete std::exchange(child_, nullptr);
    doc_->close();
    panes_->setSectionText(QString());
    updateTitle();
    Q_EMIT documentViewChanged(nullptr);
}

void CMainFrame::updateTitle()
{
    const QString app = translated(kApplicationTitle);
    if (!hasDocument()) {
        setWindowTitle(app);
        setWindowModified(false);
        return;
    }
    child_->setDocumentTitle(doc_->title(), doc_->isModified());
    // While a maximised window's buttons sit in the menu bar, Qt adds that window's title to the
    // caption in brackets ("... - [bmp.qel]"), so the caption names the document itself only
    // otherwise, and the name never shows twice.
    const QWidget* buttons = menuBar()->cornerWidget(Qt::TopRightCorner);
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    const bool bracketed = buttons && std::any_of(windows.begin(), windows.end(), [buttons](QMdiSubWindow* w) {
                               return w->maximizedButtonsWidget() == buttons;
                           });
    setWindowTitle(bracketed ? app : app + QStringLiteral(" - ") + doc_->title() + QStringLiteral("[*]"));
    setWindowModified(doc_->isModified());
}

void CMainFrame::setSectionPane(const QString& text)
{
    // While a program runs the pane keeps showing where the user was.
    if (!ide_.running())
        panes_->setSectionText(text);
}

void CMainFrame::helpTopics() { showHelp(this, QString()); }

void CMainFrame::contextHelp()
{
    // In front of the program view, the help of the current line's instruction; in front of the
    // run-time window, or with no program, the contents; in front of a designer, the designer's page.
    QString topic;
    if (child_ && mdi_->currentSubWindow() == child_) {
        const ProgramLine* line =
            view() ? ide_.program.lineAt(ide_.program.edit.section, view()->model().view().currentLine) : nullptr;
        const InstructionInfo* info = line ? instructionInfo(line->type) : nullptr;
        topic = info && !info->keyword.empty() ? toQString(info->keyword) : toQString(kProgramViewTopic);
    } else if (mdi_->currentSubWindow() && qobject_cast<CFormsEditForm*>(mdi_->currentSubWindow()->widget())) {
        topic = toQString(kFormDesignerTopic);
    }
    showHelp(this, topic);
}

void CMainFrame::showAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (ide_.running()) {
        ide_.host.showNotice(kClosingWhileRunning, Icon::Information, Buttons::Ok);
        event->ignore();
        return;
    }
    if (!saveModified() || !formDesigners_->closeAll()) {
        event->ignore();
        return;
    }
    closeDocument();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && !ide_.running())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    // One program at a time: the first dropped file is opened.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            openFile(url.toLocalFile());
            return;
        }
    }
}

QString CMainFrame::defaultFileDialog(FileDialogKind kind, const QString& suggestion)
{
    if (kind == FileDialogKind::RecordRun)
        return QFileDialog::getSaveFileName(this, tr("Record Run"), suggestion,
                                            tr("Event scripts (*.txt);;All files (*)"));
    const QString filter = translated(kProgramFileFilter);
    if (kind == FileDialogKind::Open)
        return QFileDialog::getOpenFileName(this, tr("Open"), suggestion, filter);
    return QFileDialog::getSaveFileName(this, tr("Save As"), suggestion, filter);
}

} // namespace qel
