#include "runtime/draw_target.h"

namespace qel {

QPainter& DrawTarget::settings()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    return *painter_;
}

QPainter& DrawTarget::painter()
{
    if (later_)
        writeNow();
    return settings();
}

void DrawTarget::writeLater(const QRect& area, int flags, const QString& text)
{
    if (later_)
        writeNow();
    later_ = std::make_unique<LaterText>(LaterText{area, flags, text, settings().font()});
}

void DrawTarget::writeNow()
{
    const std::unique_ptr<LaterText> text = std::move(later_);
    QPainter& p = settings();
    p.save();
    p.setFont(text->font);
    p.setPen(Qt::black);
    p.drawText(text->area, text->flags, text->text);
    p.restore();
}

} // namespace qel
