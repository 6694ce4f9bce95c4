#include "environment/run_window/run_time_window.h"
#include "environment/look/translation.h"

#include "environment/run_window/run_recorder.h"
#include "environment/run_window/virtual_keys.h"
#include "interpreter/interpreter.h"
#include "runtime/run_canvas.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qel {

namespace {

enum MouseCode { kLeftDown = 1, kLeftUp = 2, kRightDown = 3, kRightUp = 4, kMove = 5 };

} // namespace

CRunTimeWnd::CRunTimeWnd(RunCanvas& canvas, Interpreter& interpreter, MessageHost& host, QWidget* parent)
    : QWidget(parent), canvas_(canvas), in_(interpreter), host_(host)
{
    setWindowTitle(translated(kRunTimeWindowCaption));
    setAttribute(Qt::WA_OpaquePaintEvent); // the canvas covers every pixel
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(1, 1);
}

void CRunTimeWnd::repaintCanvas()
{
    canvas_.resize(size());
    canvas_.repaint();
    update();
}

void CRunTimeWnd::showCanvas() { update(); }

QSize CRunTimeWnd::sizeHint() const
{
    // Without a size of its own yet, the window asks for the room a run starts with.
    return size().isEmpty() ? kRunTimeWindowRect.size() : size();
}

void CRunTimeWnd::closeForGood()
{
    closing_ = true;
    close();
}

void CRunTimeWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, canvas_.image());
}

void CRunTimeWnd::resizeEvent(QResizeEvent*)
{
    // A new size is a full repaint: the picture belongs to the Paint section.
    if (size() != canvas_.size()) {
        if (recorder_)
            recorder_->resize(width(), height());
        repaintCanvas();
    }
}

void CRunTimeWnd::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore();
    host_.showNotice(kMayNotBeClosed, Icon::Exclamation);
}

void CRunTimeWnd::keyPressEvent(QKeyEvent* event)
{
    if (!in_.isRunning()) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The key's down message comes first; the character it types follows, unless the key-down
    // handler is still running.
    if (int code = virtualKeyCode(*event)) {
        if (recorder_)
            recorder_->key(code);
        in_.keyDownEvent(code);
    }
    if (char c = typedCharacter(*event)) {
        if (recorder_)
            recorder_->character(c);
        in_.charEvent(c);
    }
    showCanvas();
}

void CRunTimeWnd::mouse(int code, const QMouseEvent& event)
{
    const QPoint at = event.position().toPoint();
    const bool left = event.buttons() & Qt::LeftButton, right = event.buttons() & Qt::RightButton;
    if (recorder_)
        recorder_->mouse(code, at.x(), at.y(), left, right);
    in_.mouseEvent(code, at.x(), at.y(), left, right);
    showCanvas();
}

void CRunTimeWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        mouse(kLeftDown, *event);
    else if (event->button() == Qt::RightButton)
        mouse(kRightDown, *event);
}

void CRunTimeWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        mouse(kLeftUp, *event);
    else if (event->button() == Qt::RightButton)
        mouse(kRightUp, *event);
}

void CRunTimeWnd::mouseMoveEvent(QMouseEvent* event) { mouse(kMove, *event); }

} // namespace qel
