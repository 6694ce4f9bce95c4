#include "environment/run_window/run_commands.h"

#include "environment/program_view/qel_view.h"
#include "environment/run_window/ide_host.h"
#include "environment/shell/command_set.h"
#include "environment/shell/main_frame_icons.h"

#include <QAction>

namespace qel {

RunCommands::RunCommands(IdeHost& host, CommandSet& commands, QObject* parent) : QObject(parent), host_(host)
{
    auto command = [&](CommandId id, const QString& text, const QString& statusTip, void (CQelView::*act)()) {
        return commands.add(*this, id, text, statusTip, [this, act] { run(act); });
    };
    run_ = command(kCmdRun, tr("&Run\tF5"), tr("Run the program"), &CQelView::run);
    run_->setShortcut(QKeySequence(Qt::Key_F5));
    run_->setIcon(toolIcon(ToolIcon::Run));
    profiledRun_ = command(kCmdProfiledRun, tr("&Profiled Run"), tr("Run the program and time and count every line"),
                           &CQelView::profiledRun);
    recordRun_ = commands.add(*this, kCmdRecordRun, tr("Record R&un..."),
                              tr("Run the program and write every event it receives to an event script"),
                              [this] { recordRun(); });
    stop_ = command(kCmdStop, tr("&Stop"), tr("Stop the running program"), &CQelView::stop);
    stop_->setIcon(toolIcon(ToolIcon::Stop));
    continue_ = command(kCmdContinue, tr("&Continue"), tr("Continue the paused program"), &CQelView::continueRun);
    continue_->setIcon(toolIcon(ToolIcon::Continue));
    singleStep_ = command(kCmdSingleStep, tr("Single S&tep\tF10"), tr("Run the next line and pause again"),
                          &CQelView::singleStep);
    singleStep_->setShortcut(QKeySequence(Qt::Key_F10));
    toggleBreakPoint_ = command(kCmdToggleBreakPoint, tr("Toggle &BreakPoint\tF9"),
                                tr("Set or clear a breakpoint on the current line"), &CQelView::toggleBreakPoint);
    toggleBreakPoint_->setShortcut(QKeySequence(Qt::Key_F9));

    connect(&host_, &IdeHost::runStateChanged, this, &RunCommands::enable);
    enable();
}

void RunCommands::setView(CQelView* view)
{
    view_ = view;
    enable();
}

void RunCommands::run(void (CQelView::*command)())
{
    if (view_)
        (view_->*command)();
}

void RunCommands::recordRun()
{
    if (!view_ || host_.runState() != IdeHost::RunState::Stopped || !chooseScript)
        return;
    const QString path = chooseScript();
    if (path.isEmpty() || !view_)
        return;
    host_.recordNextRun(path);
    view_->run();
}

void RunCommands::enable()
{
    const IdeHost::RunState state = host_.runState();
    const bool view = view_ != nullptr;
    run_->setEnabled(view && state == IdeHost::RunState::Stopped);
    profiledRun_->setEnabled(view && state == IdeHost::RunState::Stopped);
    recordRun_->setEnabled(view && state == IdeHost::RunState::Stopped);
    stop_->setEnabled(view && state != IdeHost::RunState::Stopped);
    continue_->setEnabled(view && state == IdeHost::RunState::Paused);
    singleStep_->setEnabled(view && state == IdeHost::RunState::Paused);
    toggleBreakPoint_->setEnabled(view);
}

} // namespace qel
