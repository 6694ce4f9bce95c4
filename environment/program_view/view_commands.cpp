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
    {kCmdViewInitialise, QT_TRANSLATE_NOOP("qel::ViewCommands", "&Initialise Section\tAlt+1"), kInitialise, Qt::Key_1,
     ToolIcon::Initialise},
    {kCmdViewPaint, QT_TRANSLATE_NOOP("qel::ViewCommands", "&Paint Section\tAlt+2"), kPaint, Qt::Key_5,
     ToolIcon::Paint},
    {kCmdViewTimer, QT_TRANSLATE_NOOP("qel::ViewCommands", "&Timer Section\tAlt+3"), kTimer, Qt::Key_3,
     ToolIcon::Timer},
    {kCmdViewKeyboard, QT_TRANSLATE_NOOP("qel::ViewCommands", "&Keyboard Section\tAlt+4"), kKeyboard, Qt::Key_2,
     ToolIcon::Keyboard},
    {kCmdViewMouse, QT_TRANSLATE_NOOP("qel::ViewCommands", "&Mouse Section\tAlt+5"), kMouse, Qt::Key_4,
     ToolIcon::Mouse},
};

} // namespace

ViewCommands::ViewCommands(CommandSet& commands, QObject* parent) : QObject(parent)
{
    auto edit = [&](CommandId id, const char* text, const char* statusTip, void (CQelView::*command)()) {
        QAction* a = commands.add(*this, id, tr(text), tr(statusTip), [this, command] { run(command); });
        editing_.push_back(a);
        return a;
    };

    // Enter, Tab, F2 and Delete belong to the program view, which takes them when it has the focus;
    // the menu only names them so that the run-time window keeps its keys.
    edit(kCmdEditInsertAfter, QT_TR_NOOP("&Insert after current line\tEnter"),
         QT_TR_NOOP("Add an instruction after the current line"), &CQelView::insertAfter);
    edit(kCmdEditAppend, QT_TR_NOOP("&Add a line to the end"),
         QT_TR_NOOP("Add an instruction at the end of the section"), &CQelView::append);
    edit(kCmdEditDelete, QT_TR_NOOP("&Delete current line\tDel"), QT_TR_NOOP("Delete the selected lines"),
         &CQelView::deleteLines);
    edit(kCmdEditLine, QT_TR_NOOP("&Edit current line\tTab"),
         QT_TR_NOOP("Change the current line in its instruction's dialog"), &CQelView::editCurrentLine);
    edit(kCmdEditCut, QT_TR_NOOP("Cu&t\tCtrl+X"), QT_TR_NOOP("Cut the selected lines to the clipboard"), &CQelView::cut)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    edit(kCmdEditCopy, QT_TR_NOOP("&Copy\tCtrl+C"), QT_TR_NOOP("Copy the selected lines to the clipboard"),
         &CQelView::copy)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    paste_ = commands.add(*this, kCmdEditPaste, tr("&Paste\tCtrl+V"), tr("Paste lines after the current line"),
                          [this] { run(&CQelView::paste); });
    paste_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    edit(kCmdEditCopyAllCode, QT_TR_NOOP("Copy A&ll Code"),
         QT_TR_NOOP("Copy the whole section to the clipboard as text"), &CQelView::copyAllCode);
    edit(kCmdCopyAsText, QT_TR_NOOP("Copy As Te&xt"),
         QT_TR_NOOP("Copy the selected lines, or the section, as text that builds them again"), &CQelView::copyAsText);
    // Find and the functions list only move the cursor, but like editing they wait for a run's end.
    edit(kCmdEditFind, QT_TR_NOOP("&Find...\tCtrl+F3"), QT_TR_NOOP("Find text in the program"), &CQelView::find)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F3));
    edit(kCmdEditFindNext, QT_TR_NOOP("Find &Next\tF3"), QT_TR_NOOP("Find the next line with the text"),
         &CQelView::findNext)
        ->setShortcut(QKeySequence(Qt::Key_F3));
    edit(kCmdEditFunctionsList, QT_TR_NOOP("F&unctions List\tCtrl+F"), QT_TR_NOOP("List the program's functions"),
         &CQelView::functionsList)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));

    for (const SectionCommand& s : kSectionCommands) {
        const uint32_t section = s.section;
        QAction* a = commands.add(*this, s.id, tr(s.text), QString(), [this, section] {
            if (view_)
                view_->showSection(section);
        });
        a->setShortcut(QKeySequence(Qt::ALT | s.key));
        a->setIcon(toolIcon(s.icon));
        a->setStatusTip(tr("Show the %1 section").arg(toQString(sectionName(section))));
        sections_.push_back(a);
    }
    hitCounts_ = commands.add(
        *this, kCmdViewHitCounts, tr("&Hit Counts"),
        tr("Show how many times each line ran in a profiled run instead of its share of the time"), [this] {
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
