#include "environment/shell/child_frame.h"

#include "environment/program_view/qel_view.h"
#include "environment/shell/main_frame_icons.h"

#include <QCloseEvent>

namespace qel {

CChildFrame::CChildFrame(IdeState& ide, QWidget* parent) : QMdiSubWindow(parent), view_(new CQelView(ide, this))
{
    setWidget(view_);
    setWindowIcon(applicationIcon());
    setFocusProxy(view_);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void CChildFrame::maximiseChild() { showMaximized(); }

void CChildFrame::restoreChild() { showNormal(); }

void CChildFrame::setDocumentTitle(const QString& title, bool modified)
{
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(modified);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    // The main window closes the document and deletes this frame when the user agrees.
    event->ignore();
    Q_EMIT closeRequested();
}

} // namespace qel
