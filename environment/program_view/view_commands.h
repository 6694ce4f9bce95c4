#pragma once
// The program view's commands: the Edit menu and the View menu's sections. They act on the view of
// the open document window and follow its state: the editing commands are on while the view can
// edit (no program runs), Paste also needs copied lines on the clipboard, and the sections are on
// whenever there is a view. Hit Counts switches the profile column between each line's share of the
// time and how many times it ran, for every view the commands act on.

#include <QObject>
#include <QPointer>

#include <vector>

class QAction;

namespace qel {

class CQelView;
class CommandSet;

class ViewCommands : public QObject {
    Q_OBJECT
public:
    ViewCommands(CommandSet& commands, QObject* parent);

    // The view the commands act on: the document window's, or none once it has closed.
    void setView(CQelView* view);

private:
    void run(void (CQelView::*command)());
    void enable();

    QPointer<CQelView> view_;
    std::vector<QAction*> editing_; // on while the view can edit
    QAction* paste_ = nullptr;
    std::vector<QAction*> sections_; // on while there is a view
    QAction* hitCounts_ = nullptr;
};

} // namespace qel
