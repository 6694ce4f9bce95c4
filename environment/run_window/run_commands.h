#pragma once
// The Run menu's commands on the view of the open document window: Run and Profiled Run while no
// program runs, Stop while one does, Continue and Single Step while it is paused, and Toggle
// BreakPoint whenever there is a view. They follow the host's run state.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;

namespace qel {

class CQelView;
class CommandSet;
class IdeHost;

class RunCommands : public QObject {
    Q_OBJECT
public:
    RunCommands(IdeHost& host, CommandSet& commands, QObject* parent);

    // The view the commands act on: the document window's, or none once it has closed.
    void setView(CQelView* view);
    // Record Run asks for the event script's name with this; an empty name cancels.
    std::function<QString()> chooseScript;

private:
    void run(void (CQelView::*command)());
    void recordRun();
    void enable();

    IdeHost& host_;
    QPointer<CQelView> view_;
    QAction* run_;
    QAction* profiledRun_;
    QAction* recordRun_;
    QAction* stop_;
    QAction* continue_;
    QAction* singleStep_;
    QAction* toggleBreakPoint_;
};

} // namespace qel
