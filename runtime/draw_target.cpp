#include "runtime/draw_target.h"

#include "runtime/gui_application.h"

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

void DrawTarget::setTextFont(const QFont& font)
{
    settings().setFont(font);
    font_ = font;
}

void DrawTarget::prepareForText()
{
    if (!ensureGuiApplication())
        return;
    painter_.reset();
    font_.reset();
}

void DrawTarget::writeLater(const QRect& area, int flags, const QString& text)
{
    if (later_)
        writeNow();
    later_ = std::make_unique<LaterText>(LaterText{area, flags, text, font_});
}

void DrawTarget::writeNow()
{
    const std::unique_ptr<LaterText> text = std::move(later_);
    prepareForText();
    QPainter& p = settings();
    p.save();
    p.setFont(text->font ? *text->font : QFont()); // none set: a fresh painter's
    p.setPen(Qt::black);
    p.drawText(text->area, text->flags, text->text);
    p.restore();
}

} // namespace qel
