#include "environment/forms/form_painter.h"

#include "environment/forms/form_window.h"
#include "runtime/latin1.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace qel {

namespace {

constexpr int kMaxSide = 4096;
constexpr int kCheckBoxSide = 13;
constexpr QColor kLightEdge(255, 255, 255);
constexpr QColor kShadow(128, 128, 128);
constexpr QColor kDarkShadow(64, 64, 64);
constexpr QColor kDisabledField(212, 208, 200);

bool sameIgnoringCase(const std::string& a, const char* b)
{
    return QString::fromLatin1(a.c_str()).compare(b, Qt::CaseInsensitive) == 0;
}

// left, top, right, bottom; right and bottom lie just outside.
struct Box {
    int left, top, right, bottom;
};

Box boxOf(const FormObject& o)
{
    const int width = static_cast<int>(std::min<uint32_t>(o.width, kMaxSide));
    const int height = static_cast<int>(std::min<uint32_t>(o.height, kMaxSide));
    const int left = std::clamp(o.offsetX, -kMaxSide, kMaxSide);
    const int top = std::clamp(o.offsetY, -kMaxSide, kMaxSide);
    return {left, top, left + width, top + height};
}

// The outline from the top-left corner to (right-1, top), (right-1, bottom-1), (left, bottom-1) and back.
void outline(QPainter& p, const Box& b, uint32_t colour)
{
    if (b.right <= b.left || b.bottom <= b.top)
        return;
    p.setPen(QPen(formColour(colour), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(b.left, b.top, b.right - b.left - 1, b.bottom - b.top - 1);
}

void paintRectangle(QPainter& p, const FormObject& o, const Box& b)
{
    if (o.fillStyle != "Transparent" && b.right > b.left && b.bottom > b.top)
        p.fillRect(b.left, b.top, b.right - b.left, b.bottom - b.top, formColour(o.bgColour));
    outline(p, b, o.borderColour);
}

void paintLine(QPainter& p, const FormObject& o, const Box& b)
{
    Qt::PenStyle style = Qt::SolidLine;
    if (sameIgnoringCase(o.fillStyle, "Dot"))
        style = Qt::DotLine;
    else if (sameIgnoringCase(o.fillStyle, "Dash"))
        style = Qt::DashLine;
    else if (sameIgnoringCase(o.fillStyle, "DashDot"))
        style = Qt::DashDotLine;
    p.setPen(QPen(formColour(o.fgColour), 0, style));
    // The gaps of a broken line show the background colour.
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(formColour(o.bgColour));
    if (o.borderStyle == "\\")
        p.drawLine(b.left, b.top, b.right, b.bottom);
    else
        p.drawLine(b.right, b.top, b.left, b.bottom);
    p.setBackgroundMode(Qt::TransparentMode);
}

void paintStaticText(QPainter& p, const FormObject& o, const Box& b)
{
    if (o.borderStyle == "Opaque")
        outline(p, b, o.borderColour);
    const QRect inside(b.left + 1, b.top + 1, b.right - b.left - 2, b.bottom - b.top - 2);
    if (o.fillStyle != "Transparent" && inside.isValid())
        p.fillRect(inside, formColour(o.bgColour));
    QFont font(toQString(o.textFontName));
    if (o.textSize > 0)
        font.setPointSize(static_cast<int>(std::min<uint32_t>(o.textSize, 500)));
    font.setBold(o.textBold.find("Bold") != std::string::npos);
    font.setItalic(o.textBold.find("Italic") != std::string::npos);
    p.setFont(font);
    p.setPen(formColour(o.fgColour));
    Qt::Alignment align = Qt::AlignLeft;
    if (o.textAlign.find("Centre") != std::string::npos)
        align = Qt::AlignHCenter;
    else if (o.textAlign.find("Right") != std::string::npos)
        align = Qt::AlignRight;
    p.drawText(inside, static_cast<int>(align | Qt::AlignVCenter | Qt::TextSingleLine), toQString(o.caption));
}

} // namespace

QColor formColour(uint32_t colour) { return {int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF)}; }

void paintFormBackground(QPainter& p, const FormObjects& objects, const QRect& client)
{
    const uint32_t colour = objects.empty() ? 0 : objects[0].bgColour;
    p.fillRect(client.adjusted(0, 0, 1, 1), formColour(colour));
}

void paintShape(QPainter& p, const FormObject& o)
{
    const Box b = boxOf(o);
    if (o.visible == "False" || b.right < 0 || b.bottom < 0)
        return;
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (o.objectType) {
    case object_type::kRectangle: paintRectangle(p, o, b); break;
    case object_type::kLine: paintLine(p, o, b); break;
    case object_type::kStaticText:
    case object_type::kReserved9:
    case object_type::kReserved12: paintStaticText(p, o, b); break;
    default: break;
    }
}

void paintImage(QPainter& p, const FormObject& o, const QImage& picture)
{
    const Box b = boxOf(o);
    if (o.visible == "False" || b.right < 0 || b.bottom < 0)
        return;
    if (o.borderStyle == "Opaque")
        outline(p, b, o.borderColour);
    const QRect inside(b.left + 1, b.top + 1, b.right - b.left - 2, b.bottom - b.top - 2);
    if (!picture.isNull()) {
        if (inside.isValid())
            p.drawImage(inside.topLeft(), picture, QRect(QPoint(0, 0), inside.size()));
        return;
    }
    p.setPen(Qt::black);
    p.drawText(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top),
               static_cast<int>(Qt::AlignCenter | Qt::TextSingleLine),
               o.caption.empty() ? kImageWithoutFile : kImageLoadFailed);
}

void paintPlainBorder(QPainter& p, const QRect& rect)
{
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
}

void paintEdge(QPainter& p, const QRect& r, bool sunken)
{
    p.setPen(sunken ? kShadow : kLightEdge);
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(sunken ? kLightEdge : kDarkShadow);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

void paintField(QPainter& p, const QRect& r, bool sunken)
{
    p.fillRect(r, Qt::white);
    if (sunken)
        paintEdge(p, r, true);
    else
        paintPlainBorder(p, r);
}

void paintCheckBox(QPainter& p, const FormObject& o, bool checked, bool enabled)
{
    const QRect box(0, 0, kCheckBoxSide, kCheckBoxSide);
    p.setRenderHint(QPainter::Antialiasing, false);
    paintField(p, box, o.sunken != "Flat" && o.sunken != "False");
    if (!enabled)
        p.fillRect(box.adjusted(1, 1, -1, -1), kDisabledField);
    if (!checked)
        return;
    p.setPen(QPen(enabled ? Qt::black : kShadow, 2));
    p.drawLine(box.left() + 3, box.center().y(), box.center().x(), box.bottom() - 3);
    p.drawLine(box.center().x(), box.bottom() - 3, box.right() - 2, box.top() + 3);
}

QImage toFormImage(const DecodedBitmap& bitmap)
{
    const size_t count = static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height);
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.pixels.size() != count)
        return {};
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const size_t rowBytes = static_cast<size_t>(bitmap.width) * sizeof(uint32_t);
    for (int y = 0; y < bitmap.height; ++y)
        std::memcpy(image.scanLine(y),
                    bitmap.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(bitmap.width), rowBytes);
    return image;
}

} // namespace qel
