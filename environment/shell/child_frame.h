#pragma once
// The document window: an MDI child holding the one program view.

#include <QMdiSubWindow>

namespace qel {

class CQelView;
class IdeState;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(IdeState& ide, QWidget* parent = nullptr);

    CQelView* view() const { return view_; }

    // The child's own maximise and restore, through the MDI area.
    void maximiseChild();
    void restoreChild();

    // The caption: the document's title, with a mark while it has unsaved changes.
    void setDocumentTitle(const QString& title, bool modified);

Q_SIGNALS:
    // The user asked to close the window: closing it closes the document, which the main window
    // decides (it may ask to save first).
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CQelView* view_;
};

} // namespace qel
