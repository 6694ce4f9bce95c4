#pragma once
// `CQelView`: the document window's program view. It paints the lines of one section (16-pixel rows
// of 10-point Arial on black, the selection white, colours by line type and block level, breakpoint
// and paused-line underlines, the profile column), turns mouse, wheel, keys and its scroll bar into
// the movements of its ViewModel, carries the editing commands and the Run menu, and follows a
// running program through the signals of the IDE's host.

#include "environment/program_view/view_model.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <cstdint>
#include <memory>

class QMenu;

namespace qel {

class IdeState;

class CQelView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CQelView(IdeState& ide, QWidget* parent = nullptr);
    ~CQelView() override;

    // Commands. The editing ones do nothing while a program runs.
    void insertAfter();
    void append();
    void editCurrentLine();
    void deleteLines();
    void cut();
    void copy();
    void paste();
    void copyAllCode();
    void copyAsText();
    void showSection(uint32_t section);
    // Find (Ctrl+F3), Find Next (F3) and the Functions List (Ctrl+F) move the cursor; they never
    // change the program.
    void find();
    void findNext();
    void functionsList();
    void toggleBreakPoint();
    void run();
    void profiledRun();
    // The profile column shows how many times each line ran (on) or its share of the time (off).
    void setHitCounts(bool on);
    void stop();
    void continueRun();
    void singleStep();

    bool canEdit() const;     // no program is running
    bool canPaste() const;    // and the clipboard holds copied lines
    bool canContinue() const; // a run is paused
    QString sectionPaneText() const;
    // After New or Open: each section's view state from the start, no breakpoints, repainted.
    void programReplaced();
    // The document's auto-run flag: the first paint starts the program instead of listing it.
    void setAutoRun(bool on);
    // The next mouse move with the left button held does not select (the click that closed a
    // dialog or a file chooser is not a drag).
    void suppressDrag() { dragSuppressed_ = true; }

    // Paints the listing as the view shows it, on a device of the given client size.
    void paintListing(QPainter& painter, const QSize& size);

    ViewModel& model() { return model_; }

Q_SIGNALS:
    void sectionPaneChanged(const QString& text);
    // What canEdit and canPaste answer may have changed: a run started or ended, the clipboard changed.
    void editStateChanged();
    void documentModified();
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void insertAfterTyped(char letter);
    void edited(bool changed);
    void moved();
    void startRun(bool profiled);
    void leaveRunning(bool closeApplication);
    void scrollBarAction(int action);
    void postAutoRun();

    IdeState& ide_;
    ViewModel model_;
    std::unique_ptr<ClipboardAccess> clipboard_;
    QMenu* contextMenu_;
    QFont font_;
    bool dragSuppressed_ = false;
    bool autoRun_ = false;
    bool autoRunPosted_ = false;
    bool starting_ = false;
    int wheelRemainder_ = 0;
};

} // namespace qel
