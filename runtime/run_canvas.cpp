#include "runtime/run_canvas.h"

#include "interpreter/interpreter.h"
#include "runtime/text_attributes.h"

#include <QGuiApplication>
#include <QScreen>

namespace qel {

RunCanvas::RunCanvas(QSize size) : image_(size, QImage::Format_RGB32), target_(image_, state_)
{
    image_.fill(Qt::white);
}

void RunCanvas::attach(Interpreter& interpreter)
{
    interpreter_ = &interpreter;
    interpreter.setDrawTarget(&target_);
}

const QImage& RunCanvas::image()
{
    target_.end();
    return image_;
}

void RunCanvas::runStarting()
{
    state_.resetForRun();
    repaint();
    applyTextAttributes(target_);
}

void RunCanvas::repaint()
{
    target_.painter().fillRect(QRect(QPoint(0, 0), image_.size()), Qt::white);
    if (interpreter_)
        interpreter_->paintEvent();
}

void RunCanvas::resize(QSize size)
{
    size = size.boundedTo(QSize(10000, 10000)).expandedTo(QSize(1, 1));
    if (size == image_.size())
        return;
    target_.end();
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(Qt::white);
}

void RunCanvas::paintEmptyNotice()
{
    QPainter& p = target_.painter();
    const QRect area(QPoint(0, 0), image_.size());
    p.fillRect(area, QColor(255, 255, 128));
    if (QGuiApplication::instance()) { // text needs the application's fonts
        p.setPen(Qt::black);
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, kEmptyPaintNotice);
    }
}

QSize RunCanvas::maximisedSize()
{
    if (QGuiApplication::instance())
        if (QScreen* screen = QGuiApplication::primaryScreen())
            return screen->availableSize();
    return QSize(1024, 768);
}

} // namespace qel
