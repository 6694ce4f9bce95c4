// The main window's own commands (file, window, help) with their texts and keys, the menus and the
// toolbar over every feature's commands, and when the frame's own commands are enabled.
#include "environment/form_designer/form_designers.h"
#include "environment/help/help.h"
#include "environment/ide_state.h"
#include "environment/shell/main_frame.h"
#include "environment/shell/main_frame_icons.h"
#include "environment/shell/recent_file_list.h"

#include <QAction>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace qel {

void CMainFrame::createFileCommands()
{
    QAction* a =
        commands_.add(*this, kCmdFileNew, tr("&New\tCtrl+N"), tr("Create a new program"), [this] { fileNew(); });
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a->setIcon(toolIcon(ToolIcon::New));
    a = commands_.add(*this, kCmdFileOpen, tr("&Open...\tCtrl+O"), tr("Open an existing program"),
                      [this] { fileOpen(); });
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a->setIcon(toolIcon(ToolIcon::Open));
    commands_.add(*this, kCmdFileClose, tr("&Close"), tr("Close the program"), [this] { fileClose(); });
    a = commands_.add(*this, kCmdFileSave, tr("&Save\tCtrl+S"), tr("Save the program"), [this] { fileSave(); });
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a->setIcon(toolIcon(ToolIcon::Save));
    commands_.add(*this, kCmdFileSaveAs, tr("Save &As..."), tr("Save the program with a new name"),
                  [this] { fileSaveAs(); });
    exitAction_ = commands_.add(*this, kCmdAppExit, tr("E&xit"), tr("Quit QEL; prompts to save the program"),
                                [this] { close(); });
}

void CMainFrame::createWindowAndHelpCommands()
{
    commands_.add(*this, kCmdFormDesign, tr("Form &Design"), tr("Design a form"),
                  [this] { formDesigners_->openDesigner(); });
    commands_.add(*this, kCmdFormPreView, tr("Form &PreView"), tr("Try out a form"),
                  [this] { formDesigners_->previewForm(); });

    commands_.add(*this, kCmdWindowCascade, tr("&Cascade"), tr("Arrange the windows so they overlap"),
                  [this] { mdi_->cascadeSubWindows(); });
    commands_.add(*this, kCmdWindowTile, tr("&Tile"), tr("Arrange the windows side by side"),
                  [this] { mdi_->tileSubWindows(); });

    // Help: F1 (and Shift+F1) open the page of what is in front of the user; the menu opens the
    // contents.
    commands_.add(*this, kCmdHelpTopics, tr("&Help Topics\tF1"), tr("Open the help contents"),
                  [this] { helpTopics(); });
    commands_.add(*this, kCmdHelp, tr("Help"), QString(), [this] { contextHelp(); })
        ->setShortcuts({QKeySequence(Qt::Key_F1), QKeySequence(Qt::SHIFT | Qt::Key_F1)});
    commands_.add(*this, kCmdAppAbout, tr("&About QEL..."), tr("Show the version of QEL"), [this] { showAbout(); });
}

void CMainFrame::createMenus()
{
    constexpr CommandId kSeparator = CommandId(0);
    auto add = [this](QMenu* menu, std::initializer_list<CommandId> ids) {
        for (CommandId id : ids) {
            if (id == kSeparator)
                menu->addSeparator();
            else
                menu->addAction(commandAction(id));
        }
        return menu;
    };

    fileMenu_ = menuBar()->addMenu(tr("&File"));
    add(fileMenu_, {kCmdFileNew, kCmdFileOpen, kCmdFileClose, kSeparator, kCmdFileSave, kCmdFileSaveAs, kSeparator,
                    kCmdFilePrint, kCmdFilePrintPreview, kCmdFilePrintSetup});
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction_);
    rebuildRecentFileMenu();

    add(menuBar()->addMenu(tr("&Edit")), {kCmdEditInsertAfter, kCmdEditAppend, kCmdEditDelete, kCmdEditLine, kSeparator,
                                          kCmdEditCut, kCmdEditCopy, kCmdEditPaste, kCmdEditCopyAllCode, kCmdCopyAsText,
                                          kSeparator, kCmdEditFind, kCmdEditFindNext, kCmdEditFunctionsList});

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    add(viewMenu, {kCmdViewInitialise, kCmdViewPaint, kCmdViewTimer, kCmdViewKeyboard, kCmdViewMouse, kSeparator,
                   kCmdViewHitCounts, kSeparator});
    auto* statusToggle = new QAction(tr("&Status Bar"), this);
    statusToggle->setData(int(kCmdViewStatusBar));
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    statusToggle->setStatusTip(tr("Show or hide the status bar"));
    connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
    commands_.insert(kCmdViewStatusBar, statusToggle);
    viewMenu->addAction(commandAction(kCmdViewToolbar));
    viewMenu->addAction(statusToggle);

    add(menuBar()->addMenu(tr("&Run")),
        {kCmdRun, kCmdProfiledRun, kCmdRecordRun, kCmdStop, kCmdContinue, kCmdSingleStep, kSeparator,
         kCmdToggleBreakPoint, kSeparator, kCmdCheckProgram, kCmdObjectViewer});
    add(menuBar()->addMenu(tr("&Tools")), {kCmdLessonProfile, kCmdClearLessonProfile});
    add(menuBar()->addMenu(tr("F&orms")), {kCmdFormDesign, kCmdFormPreView});
    // The MDI area tells of activations, not of every window it gains or loses: the menu looks again
    // when it opens.
    QMenu* windowMenu = add(menuBar()->addMenu(tr("&Window")), {kCmdWindowCascade, kCmdWindowTile});
    connect(windowMenu, &QMenu::aboutToShow, this, &CMainFrame::enableWindowCommands);
    add(menuBar()->addMenu(tr("&Help")), {kCmdHelpTopics, kSeparator, kCmdAppAbout});
}

void CMainFrame::createToolBar()
{
    toolBar_ = addToolBar(tr("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("Toolbar"));
    toolBar_->setIconSize(QSize(24, 24));
    for (CommandId id : {kCmdFileNew, kCmdFileOpen, kCmdFileSave, CommandId(0), kCmdViewInitialise, kCmdViewKeyboard,
                         kCmdViewTimer, kCmdViewMouse, kCmdViewPaint, CommandId(0), kCmdRun, kCmdStop, kCmdContinue,
                         CommandId(0), kCmdObjectViewer}) {
        if (id == CommandId(0))
            toolBar_->addSeparator();
        else
            toolBar_->addAction(commandAction(id));
    }
    QAction* toggle = toolBar_->toggleViewAction();
    toggle->setText(tr("&Toolbar"));
    toggle->setData(int(kCmdViewToolbar));
    toggle->setStatusTip(tr("Show or hide the toolbar"));
    commands_.insert(kCmdViewToolbar, toggle);
}

void CMainFrame::rebuildRecentFileMenu()
{
    for (QAction* a : recentActions_) {
        commands_.remove(CommandId(a->data().toInt()));
        delete a;
    }
    recentActions_.clear();
    const int count = int(recent_.files().size());
    if (count == 0) {
        auto* none = new QAction(tr("Recent File"), this);
        none->setEnabled(false);
        recentActions_.push_back(none);
    }
    for (int i = 0; i < count; ++i) {
        auto* a = new QAction(recent_.menuText(i), this);
        a->setData(int(kCmdFileRecent1) + i);
        a->setStatusTip(tr("Open this program"));
        connect(a, &QAction::triggered, this, [this, i] { openRecentFile(i); });
        commands_.insert(CommandId(kCmdFileRecent1 + i), a);
        recentActions_.push_back(a);
    }
    // The entries sit between the separator after Print Setup and the one before Exit.
    QList<QAction*> menuActions = fileMenu_->actions();
    const qsizetype at = menuActions.indexOf(recentSeparator_);
    QAction* next = at >= 0 && at + 1 < menuActions.size() ? menuActions[at + 1] : nullptr;
    for (QAction* a : recentActions_)
        fileMenu_->insertAction(next, a);
    enableFileCommands();
    Q_EMIT recentFilesChanged();
}

// The file commands follow the run and the document window: New, Open and the recent files only
// while no program runs, Close and Save also need the document window.
void CMainFrame::enableFileCommands()
{
    const bool running = ide_.running();
    const bool document = view() != nullptr;
    for (CommandId id : {kCmdFileNew, kCmdFileOpen})
        commandAction(id)->setEnabled(!running);
    for (QAction* a : recentActions_)
        a->setEnabled(!running && !a->data().isNull());
    for (CommandId id : {kCmdFileClose, kCmdFileSave, kCmdFileSaveAs})
        commandAction(id)->setEnabled(document && !running);
}

void CMainFrame::enableWindowCommands()
{
    const bool windows = !mdi_->subWindowList().isEmpty();
    commandAction(kCmdWindowCascade)->setEnabled(windows);
    commandAction(kCmdWindowTile)->setEnabled(windows);
}

} // namespace qel
