#include "runtime/run_canvas.h"

#include "interpreter/interpreter.h"
#include "runtime/gui_application.h"
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
    charge_.attach(interpreter);
    interpreter.setDrawTarget(&target_);
}

const QImage& RunCanvas::image()
{
    target_.end();
    return image_;
}

void RunCanvas::runStarting()
{
    if (interpreter_) // the first thing the new run's budget pays for
        charge_.charge(PictureCharge::bytesFor(image_.width(), image_.height()));
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
    const uint64_t bytes = PictureCharge::bytesFor(size.width(), size.height());
    if (!charge_.affords(bytes))
        return;
    target_.end();
    image_ = QImage(); // the old picture goes before the new one is made
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(Qt::white);
    if (interpreter_)
        charge_.charge(bytes);
}

void RunCanvas::paintEmptyNotice()
{
    QPainter& p = target_.painter();
    const QRect area(QPoint(0, 0), image_.size());
    p.fillRect(area, QColor(255, 255, 128));
    target_.writeLater(area, Qt::AlignCenter | Qt::TextWordWrap, kEmptyPaintNotice);
}

QSize RunCanvas::maximisedSize()
{
    (void)ensureGuiApplication(); // the screen's size
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableSize();
    return QSize(1024, 768);
}

} // namespace qel
