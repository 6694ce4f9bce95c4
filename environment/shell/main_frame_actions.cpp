// The main window's commands: their actions with texts and keys, the menus, the toolbar, and when
// each command is enabled.
#include "environment/help/help.h"
#include "environment/ide_state.h"
#include "environment/program_view/qel_view.h"
#include "environment/shell/child_frame.h"
#include "environment/shell/main_frame.h"
#include "environment/shell/main_frame_icons.h"
#include "environment/shell/qel_doc.h"
#include "environment/shell/recent_file_list.h"
#include "runtime/latin1.h"

#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>

namespace qel {

namespace {

struct SectionCommand {
    CommandId id;
    const char* text; // the View menu's label, with the key it names
    uint32_t section;
    Qt::Key key; // the key that really shows it
    ToolIcon icon;
};

// The View menu names Alt+1 to Alt+5 in its own order, while the keys are bound differently:
// Alt+2 shows the Keyboard section and Alt+5 the Paint section. Users know it this way.
constexpr SectionCommand kSectionCommands[] = {
    {kCmdViewInitialise, "&Initialise Section\tAlt+1", kInitialise, Qt::Key_1, ToolIcon::Initialise},
    {kCmdViewPaint, "&Paint Section\tAlt+2", kPaint, Qt::Key_5, ToolIcon::Paint},
    {kCmdViewTimer, "&Timer Section\tAlt+3", kTimer, Qt::Key_3, ToolIcon::Timer},
    {kCmdViewKeyboard, "&Keyboard Section\tAlt+4", kKeyboard, Qt::Key_2, ToolIcon::Keyboard},
    {kCmdViewMouse, "&Mouse Section\tAlt+5", kMouse, Qt::Key_4, ToolIcon::Mouse},
};

// The text of an action without its mnemonic and key, for tool tips.
QString plainText(const QString& text)
{
    QString plain = text.section(QLatin1Char('\t'), 0, 0);
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    plain.remove(QStringLiteral("..."));
    return plain;
}

} // namespace

QAction* CMainFrame::addCommand(CommandId id, const QString& text, std::function<void()> handler)
{
    auto* action = new QAction(text, this);
    action->setData(int(id));
    action->setToolTip(plainText(text));
    if (handler)
        connect(action, &QAction::triggered, this, std::move(handler));
    actions_[id] = action;
    addAction(action); // its keys work anywhere in the main window
    return action;
}

QAction* CMainFrame::commandAction(CommandId id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::runViewCommand(void (CQelView::*command)())
{
    if (CQelView* v = view())
        (v->*command)();
    updateCommandStates();
}

void CMainFrame::createActions()
{
    auto tip = [](QAction* a, const char* statusTip) { a->setStatusTip(toQString(statusTip)); };
    auto keys = [](QAction* a, std::initializer_list<QKeySequence> sequences) {
        a->setShortcuts(QList<QKeySequence>(sequences));
    };

    // File
    QAction* a = addCommand(kCmdFileNew, QStringLiteral("&New\tCtrl+N"), [this] { fileNew(); });
    keys(a, {QKeySequence(Qt::CTRL | Qt::Key_N)});
    tip(a, "Create a new program");
    a->setIcon(toolIcon(ToolIcon::New));
    a = addCommand(kCmdFileOpen, QStringLiteral("&Open...\tCtrl+O"), [this] { fileOpen(); });
    keys(a, {QKeySequence(Qt::CTRL | Qt::Key_O)});
    tip(a, "Open an existing program");
    a->setIcon(toolIcon(ToolIcon::Open));
    tip(addCommand(kCmdFileClose, QStringLiteral("&Close"), [this] { fileClose(); }), "Close the program");
    a = addCommand(kCmdFileSave, QStringLiteral("&Save\tCtrl+S"), [this] { fileSave(); });
    keys(a, {QKeySequence(Qt::CTRL | Qt::Key_S)});
    tip(a, "Save the program");
    a->setIcon(toolIcon(ToolIcon::Save));
    tip(addCommand(kCmdFileSaveAs, QStringLiteral("Save &As..."), [this] { fileSaveAs(); }),
        "Save the program with a new name");
    tip(addCommand(kCmdFilePrint, QStringLiteral("&Print...\tCtrl+P"), nullptr), "Print the program listing");
    tip(addCommand(kCmdFilePrintSetup, QStringLiteral("P&rint Setup..."), nullptr),
        "Change the printer and its options");
    a = addCommand(kCmdAppExit, QStringLiteral("E&xit"), [this] { close(); });
    tip(a, "Quit QEL; prompts to save the program");
    exitAction_ = a;

    // Edit: Enter, Tab, F2 and Delete belong to the program view, which takes them when it has the
    // focus; the menu only names them so that the run-time window keeps its keys.
    tip(addCommand(kCmdEditInsertAfter, QStringLiteral("&Insert after current line\tEnter"),
                   [this] { runViewCommand(&CQelView::insertAfter); }),
        "Add an instruction after the current line");
    tip(addCommand(kCmdEditAppend, QStringLiteral("&Add a line to the end"),
                   [this] { runViewCommand(&CQelView::append); }),
        "Add an instruction at the end of the section");
    tip(addCommand(kCmdEditDelete, QStringLiteral("&Delete current line\tDel"),
                   [this] { runViewCommand(&CQelView::deleteLines); }),
        "Delete the selected lines");
    tip(addCommand(kCmdEditLine, QStringLiteral("&Edit current line\tTab"),
                   [this] { runViewCommand(&CQelView::editCurrentLine); }),
        "Change the current line in its instruction's dialog");
    a = addCommand(kCmdEditCut, QStringLiteral("Cu&t\tCtrl+X"), [this] { runViewCommand(&CQelView::cut); });
    keys(a, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    tip(a, "Cut the selected lines to the clipboard");
    a = addCommand(kCmdEditCopy, QStringLiteral("&Copy\tCtrl+C"), [this] { runViewCommand(&CQelView::copy); });
    keys(a, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    tip(a, "Copy the selected lines to the clipboard");
    a = addCommand(kCmdEditPaste, QStringLiteral("&Paste\tCtrl+V"), [this] { runViewCommand(&CQelView::paste); });
    keys(a, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    tip(a, "Paste lines after the current line");
    tip(addCommand(kCmdEditCopyAllCode, QStringLiteral("Copy A&ll Code"),
                   [this] { runViewCommand(&CQelView::copyAllCode); }),
        "Copy the whole section to the clipboard as text");
    tip(addCommand(kCmdEditFind, QStringLiteral("&Find...\tCtrl+F3"), nullptr), "Find text in the program");
    tip(addCommand(kCmdEditFindNext, QStringLiteral("Find &Next\tF3"), nullptr), "Find the next line with the text");
    tip(addCommand(kCmdEditFunctionsList, QStringLiteral("F&unctions List\tCtrl+F"), nullptr),
        "List the program's functions");

    // View
    for (const SectionCommand& s : kSectionCommands) {
        const uint32_t section = s.section;
        a = addCommand(s.id, toQString(s.text), [this, section] {
            if (CQelView* v = view())
                v->showSection(section);
        });
        a->setShortcut(QKeySequence(Qt::ALT | s.key));
        a->setIcon(toolIcon(s.icon));
        a->setToolTip(plainText(a->text()));
        a->setStatusTip(QStringLiteral("Show the %1 section").arg(toQString(sectionName(section))));
    }

    // Run
    a = addCommand(kCmdRun, QStringLiteral("&Run\tF5"), [this] { runViewCommand(&CQelView::run); });
    keys(a, {QKeySequence(Qt::Key_F5)});
    tip(a, "Run the program");
    a->setIcon(toolIcon(ToolIcon::Run));
    tip(addCommand(kCmdProfiledRun, QStringLiteral("&Profiled Run"),
                   [this] { runViewCommand(&CQelView::profiledRun); }),
        "Run the program and time every line");
    a = addCommand(kCmdStop, QStringLiteral("&Stop"), [this] { runViewCommand(&CQelView::stop); });
    tip(a, "Stop the running program");
    a->setIcon(toolIcon(ToolIcon::Stop));
    a = addCommand(kCmdContinue, QStringLiteral("&Continue"), [this] { runViewCommand(&CQelView::continueRun); });
    tip(a, "Continue the paused program");
    a->setIcon(toolIcon(ToolIcon::Continue));
    a = addCommand(kCmdSingleStep, QStringLiteral("Single S&tep\tF10"),
                   [this] { runViewCommand(&CQelView::singleStep); });
    keys(a, {QKeySequence(Qt::Key_F10)});
    tip(a, "Run the next line and pause again");
    a = addCommand(kCmdToggleBreakPoint, QStringLiteral("Toggle &BreakPoint\tF9"),
                   [this] { runViewCommand(&CQelView::toggleBreakPoint); });
    keys(a, {QKeySequence(Qt::Key_F9)});
    tip(a, "Set or clear a breakpoint on the current line");
    a = addCommand(kCmdObjectViewer, QStringLiteral("&Object Viewer"), nullptr);
    tip(a, "Show the values of the program's variables");
    a->setIcon(toolIcon(ToolIcon::ObjectViewer));

    // Forms
    tip(addCommand(kCmdFormDesign, QStringLiteral("Form &Design"), nullptr), "Design a form");
    tip(addCommand(kCmdFormPreView, QStringLiteral("Form &PreView"), nullptr), "Try out a form");

    // Window
    tip(addCommand(kCmdWindowCascade, QStringLiteral("&Cascade"), [this] { mdi_->cascadeSubWindows(); }),
        "Arrange the windows so they overlap");
    tip(addCommand(kCmdWindowTile, QStringLiteral("&Tile"), [this] { mdi_->tileSubWindows(); }),
        "Arrange the windows side by side");

    // Help: F1 (and Shift+F1) open the page of what is in front of the user; the menu opens the
    // contents.
    tip(addCommand(kCmdHelpTopics, QStringLiteral("&Help Topics\tF1"), [this] { helpTopics(); }),
        "Open the help contents");
    a = addCommand(kCmdHelp, QStringLiteral("Help"), [this] { contextHelp(); });
    keys(a, {QKeySequence(Qt::Key_F1), QKeySequence(Qt::SHIFT | Qt::Key_F1)});
    tip(addCommand(kCmdAppAbout, QStringLiteral("&About QEL..."), [this] { showAbout(); }), "Show the version of QEL");

    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::updateCommandStates);
}

void CMainFrame::createMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<CommandId> ids) {
        for (CommandId id : ids) {
            if (id == CommandId(0))
                menu->addSeparator();
            else
                menu->addAction(commandAction(id));
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
    };
    constexpr CommandId kSeparator = CommandId(0);

    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    add(fileMenu_, {kCmdFileNew, kCmdFileOpen, kCmdFileClose, kSeparator, kCmdFileSave, kCmdFileSaveAs, kSeparator,
                    kCmdFilePrint, kCmdFilePrintSetup});
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction_);
    rebuildRecentFileMenu();

    add(menuBar()->addMenu(QStringLiteral("&Edit")),
        {kCmdEditInsertAfter, kCmdEditAppend, kCmdEditDelete, kCmdEditLine, kSeparator, kCmdEditCut, kCmdEditCopy,
         kCmdEditPaste, kCmdEditCopyAllCode, kSeparator, kCmdEditFind, kCmdEditFindNext, kCmdEditFunctionsList});

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    add(viewMenu, {kCmdViewInitialise, kCmdViewPaint, kCmdViewTimer, kCmdViewKeyboard, kCmdViewMouse, kSeparator});
    auto* statusToggle = new QAction(QStringLiteral("&Status Bar"), this);
    statusToggle->setData(int(kCmdViewStatusBar));
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    statusToggle->setStatusTip(QStringLiteral("Show or hide the status bar"));
    connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
    actions_[kCmdViewStatusBar] = statusToggle;
    viewMenu->addAction(commandAction(kCmdViewToolbar));
    viewMenu->addAction(statusToggle);

    add(menuBar()->addMenu(QStringLiteral("&Run")), {kCmdRun, kCmdProfiledRun, kCmdStop, kCmdContinue, kCmdSingleStep,
                                                     kSeparator, kCmdToggleBreakPoint, kSeparator, kCmdObjectViewer});
    add(menuBar()->addMenu(QStringLiteral("F&orms")), {kCmdFormDesign, kCmdFormPreView});
    add(menuBar()->addMenu(QStringLiteral("&Window")), {kCmdWindowCascade, kCmdWindowTile});
    add(menuBar()->addMenu(QStringLiteral("&Help")), {kCmdHelpTopics, kSeparator, kCmdAppAbout});
}

void CMainFrame::createToolBar()
{
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
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
    toggle->setText(QStringLiteral("&Toolbar"));
    toggle->setData(int(kCmdViewToolbar));
    toggle->setStatusTip(QStringLiteral("Show or hide the toolbar"));
    actions_[kCmdViewToolbar] = toggle;
}

void CMainFrame::rebuildRecentFileMenu()
{
    for (QAction* a : recentActions_) {
        actions_.erase(CommandId(a->data().toInt()));
        delete a;
    }
    recentActions_.clear();
    const int count = int(recent_.files().size());
    if (count == 0) {
        auto* none = new QAction(QStringLiteral("Recent File"), this);
        none->setEnabled(false);
        recentActions_.push_back(none);
    }
    for (int i = 0; i < count; ++i) {
        auto* a = new QAction(recent_.menuText(i), this);
        a->setData(int(kCmdFileRecent1) + i);
        a->setStatusTip(QStringLiteral("Open this program"));
        connect(a, &QAction::triggered, this, [this, i] { openRecentFile(i); });
        actions_[CommandId(kCmdFileRecent1 + i)] = a;
        recentActions_.push_back(a);
    }
    // The entries sit between the separator after Print Setup and the one before Exit.
    QList<QAction*> menuActions = fileMenu_->actions();
    const qsizetype at = menuActions.indexOf(recentSeparator_);
    QAction* next = at >= 0 && at + 1 < menuActions.size() ? menuActions[at + 1] : nullptr;
    for (QAction* a : recentActions_)
        fileMenu_->insertAction(next, a);
    updateCommandStates();
    Q_EMIT recentFilesChanged();
}

void CMainFrame::updateCommandStates()
{
    if (actions_.empty())
        return;
    const bool running = ide_.running();
    CQelView* v = view();
    const bool editing = v && v->canEdit();
    auto enable = [this](CommandId id, bool on) {
        if (QAction* a = commandAction(id))
            a->setEnabled(on);
    };

    for (CommandId id : {kCmdFileNew, kCmdFileOpen})
        enable(id, !running);
    for (QAction* a : recentActions_)
        a->setEnabled(!running && !a->data().isNull());
    for (CommandId id : {kCmdFileClose, kCmdFileSave, kCmdFileSaveAs})
        enable(id, v && !running);
    commandAction(kCmdFileNew)->setText(QStringLiteral("&New\tCtrl+N"));
    commandAction(kCmdFileOpen)->setText(QStringLiteral("&Open...\tCtrl+O"));
    commandAction(kCmdFileClose)->setText(QStringLiteral("&Close"));

    for (CommandId id : {kCmdEditInsertAfter, kCmdEditAppend, kCmdEditDelete, kCmdEditLine, kCmdEditCut, kCmdEditCopy,
                         kCmdEditCopyAllCode, kCmdRun, kCmdProfiledRun})
        enable(id, editing);
    enable(kCmdEditPaste, v && v->canPaste());
    for (CommandId id :
         {kCmdViewInitialise, kCmdViewPaint, kCmdViewTimer, kCmdViewKeyboard, kCmdViewMouse, kCmdToggleBreakPoint})
        enable(id, v != nullptr);
    enable(kCmdStop, v && running);
    enable(kCmdContinue, v && v->canContinue());
    enable(kCmdSingleStep, v && v->canContinue());
    enable(kCmdWindowCascade, !mdi_->subWindowList().isEmpty());
    enable(kCmdWindowTile, !mdi_->subWindowList().isEmpty());

    // Printing, find, the functions list, the object viewer and the forms designer are not here yet.
    for (CommandId id : {kCmdFilePrint, kCmdFilePrintSetup, kCmdEditFind, kCmdEditFindNext, kCmdEditFunctionsList,
                         kCmdObjectViewer, kCmdFormDesign, kCmdFormPreView})
        enable(id, false);
}

} // namespace qel
