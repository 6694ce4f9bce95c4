#include "environment/program_view/view_commands.h"

#include "environment/program_view/qel_view.h"
#include "environment/shell/command_set.h"
#include "environment/shell/main_frame_icons.h"
#include "program/program.h"
#include "runtime/latin1.h"

#include <QAction>

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

} // namespace

ViewCommands::ViewCommands(CommandSet& commands, QObject* parent) : QObject(parent)
{
    auto edit = [&](CommandId id, const char* text, const char* statusTip, void (CQelView::*command)()) {
        QAction* a = commands.add(*this, id, toQString(text), statusTip, [this, command] { run(command); });
        editing_.push_back(a);
        return a;
    };

    // Enter, Tab, F2 and Delete belong to the program view, which takes them when it has the focus;
    // the menu only names them so that the run-time window keeps its keys.
    edit(kCmdEditInsertAfter, "&Insert after current line\tEnter", "Add an instruction after the current line",
         &CQelView::insertAfter);
    edit(kCmdEditAppend, "&Add a line to the end", "Add an instruction at the end of the section", &CQelView::append);
    edit(kCmdEditDelete, "&Delete current line\tDel", "Delete the selected lines", &CQelView::deleteLines);
    edit(kCmdEditLine, "&Edit current line\tTab", "Change the current line in its instruction's dialog",
         &CQelView::editCurrentLine);
    edit(kCmdEditCut, "Cu&t\tCtrl+X", "Cut the selected lines to the clipboard", &CQelView::cut)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    edit(kCmdEditCopy, "&Copy\tCtrl+C", "Copy the selected lines to the clipboard", &CQelView::copy)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    paste_ = commands.add(*this, kCmdEditPaste, QStringLiteral("&Paste\tCtrl+V"), "Paste lines after the current line",
                          [this] { run(&CQelView::paste); });
    paste_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    edit(kCmdEditCopyAllCode, "Copy A&ll Code", "Copy the whole section to the clipboard as text",
         &CQelView::copyAllCode);
    edit(kCmdCopyAsText, "Copy As Te&xt",
         "Copy the selected lines, or the whole section when one line is selected, as text that builds them again",
         &CQelView::copyAsText);
    // Find and the functions list only move the cursor, but like editing they wait for a run's end.
    edit(kCmdEditFind, "&Find...\tCtrl+F3", "Find text in the program", &CQelView::find)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F3));
    edit(kCmdEditFindNext, "Find &Next\tF3", "Find the next line with the text", &CQelView::findNext)
        ->setShortcut(QKeySequence(Qt::Key_F3));
    edit(kCmdEditFunctionsList, "F&unctions List\tCtrl+F", "List the program's functions", &CQelView::functionsList)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));

    for (const SectionCommand& s : kSectionCommands) {
        const uint32_t section = s.section;
        QAction* a = commands.add(*this, s.id, toQString(s.text), nullptr, [this, section] {
            if (view_)
                view_->showSection(section);
        });
        a->setShortcut(QKeySequence(Qt::ALT | s.key));
        a->setIcon(toolIcon(s.icon));
        a->setStatusTip(QStringLiteral("Show the %1 section").arg(toQString(sectionName(section))));
        sections_.push_back(a);
    }
    hitCounts_ =
        commands.add(*this, kCmdViewHitCounts, QStringLiteral("&Hit Counts"),
                     "Show how many times each line ran in a profiled run instead of its share of the time", [this] {
                         if (view_)
                             view_->setHitCounts(hitCounts_->isChecked());
                     });
    hitCounts_->setCheckable(true);
    enable();
}

void ViewCommands::setView(CQelView* view)
{
    if (view_)
        disconnect(view_, nullptr, this, nullptr);
    view_ = view;
    if (view_) {
        connect(view_, &CQelView::editStateChanged, this, &ViewCommands::enable);
        view_->setHitCounts(hitCounts_->isChecked());
    }
    enable();
}

void ViewCommands::run(void (CQelView::*command)())
{
    if (view_)
        (view_->*command)();
}

void ViewCommands::enable()
{
    const bool editing = view_ && view_->canEdit();
    for (QAction* a : editing_)
        a->setEnabled(editing);
    paste_->setEnabled(view_ && view_->canPaste());
    for (QAction* a : sections_)
        a->setEnabled(view_ != nullptr);
}

} // namespace qel
