#include "environment/form_designer/form_design_view.h"

#include "environment/forms/form_painter.h"
#include "environment/look/contrast.h"
#include "program/file_names.h"
#include "runtime/bitmap_file.h"
#include "runtime/latin1.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace qel {

namespace {

constexpr QColor kOutside(128, 128, 128);
constexpr QColor kFace(212, 208, 200);
constexpr QColor kTabOrderBack(255, 255, 160);
constexpr int kScrollMargin = 10;
constexpr int kPageMargin = 20;
constexpr int kDropButton = 16;

QRect rectOf(const FormObject& o)
{
    const DesignRect r = FormDesign::rectOf(o);
    return {r.x, r.y, r.width, r.height};
}

QString textOf(const std::string& text) { return toQString(text); }

Qt::Alignment alignmentOf(const FormObject& o)
{
    if (o.textAlign.find("Centre") != std::string::npos)
        return Qt::AlignHCenter;
    if (o.textAlign.find("Right") != std::string::npos)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

// The controls have no windows in the designer: pictures of them at their rectangles.
void paintControl(QPainter& p, const FormObject& o)
{
    const QRect r = rectOf(o);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.setFont(QFont(QStringLiteral("Arial"), 9));
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    switch (o.objectType) {
    case object_type::kButton:
        p.fillRect(r, formColour(o.bgColour));
        paintEdge(p, r, false);
        p.setPen(formColour(o.fgColour));
        p.drawText(r, flags | Qt::AlignHCenter, textOf(o.caption));
        break;
    case object_type::kEdit:
        paintField(p, r, o.sunken == "Sunken");
        p.setPen(Qt::black);
        p.drawText(r.adjusted(3, 0, -3, 0), flags | static_cast<int>(alignmentOf(o)), textOf(o.caption));
        break;
    case object_type::kCheckBox:
        p.save();
        p.translate(r.topLeft());
        p.setClipRect(QRect(QPoint(0, 0), r.size()), Qt::IntersectClip);
        paintCheckBox(p, o, o.caption == "True", true);
        p.restore();
        break;
    case object_type::kComboBox: {
        paintField(p, r, true);
        const QRect button(r.right() - kDropButton, r.top() + 1, kDropButton, r.height() - 2);
        p.fillRect(button, kFace);
        paintEdge(p, button, false);
        const QPoint c = button.center();
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygon({c + QPoint(-3, -1), c + QPoint(3, -1), c + QPoint(0, 2)}));
        p.setBrush(Qt::NoBrush);
        const std::string first = o.caption.substr(0, o.caption.find(';'));
        p.drawText(r.adjusted(3, 0, -kDropButton - 2, 0), flags | Qt::AlignLeft, textOf(first));
        break;
    }
    default: break;
    }
}

const QImage& imageFor(const FormObject& o, QHash<QString, QImage>& images, const QString& folder)
{
    const QString name = textOf(o.caption);
    auto it = images.find(name);
    if (it == images.end()) {
        QImage image;
        if (!o.caption.empty()) {
            BitmapReadResult read = readBitmapFile(resolveInFolder(folder.toStdString(), o.caption));
            if (read.status == BitmapReadStatus::Ok)
                image = toFormImage(read.bitmap);
        }
        it = images.insert(name, image);
    }
    return *it;
}

} // namespace

void paintDesign(QPainter& p, const DesignPicture& picture, const QRect& area, QHash<QString, QImage>& images,
                 const QString& folder)
{
    const FormDesign& design = picture.design;
    const FormObjects& objects = design.objects();
    const FormObject& form = objects[0];
    p.fillRect(area, kOutside);
    p.save();
    p.translate(-picture.scroll);
    const QRect formArea = rectOf(form);
    p.fillRect(formArea, formColour(form.bgColour));
    if (design.snap()) {
        const int stepX = static_cast<int>(std::max<uint32_t>(form.gridX, 2));
        const int stepY = static_cast<int>(std::max<uint32_t>(form.gridY, 2));
        const QRect visible = area.translated(picture.scroll).intersected(formArea);
        std::vector<QPoint> points;
        for (int y = (visible.top() / stepY + 1) * stepY; y <= visible.bottom(); y += stepY)
            for (int x = (visible.left() / stepX + 1) * stepX; x <= visible.right(); x += stepX)
                points.emplace_back(x, y);
        p.setPen(inkOn(formColour(form.bgColour))); // the grid shows on a dark form too
        p.drawPoints(points.data(), static_cast<int>(points.size()));
    }
    p.setClipRect(formArea);
    for (size_t k : design.paintOrder()) {
        const FormObject& o = objects[k];
        if (isControlType(o.objectType)) {
            if (o.visible != "False")
                paintControl(p, o);
        } else if (o.objectType == object_type::kImage) {
            paintImage(p, o, imageFor(o, images, folder));
        } else {
            paintShape(p, o);
        }
    }
    if (picture.showTabOrder) {
        p.setFont(QFont(QStringLiteral("Arial"), 8));
        for (size_t k = 1; k < objects.size(); ++k) {
            if (!isControlType(objects[k].objectType) || objects[k].tabOrder < 0)
                continue;
            const QString number = QString::number(objects[k].tabOrder);
            const QRect box(rectOf(objects[k]).topLeft(), QSize(p.fontMetrics().horizontalAdvance(number) + 4, 13));
            p.fillRect(box, kTabOrderBack);
            p.setPen(Qt::black);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            p.drawText(box, Qt::AlignCenter, number);
        }
    }
    p.setClipping(false);
    // The handles are inverted onto the picture, so they show on any colour.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (size_t k = 0; k < objects.size(); ++k)
        for (const auto& handle : design.handles(k)) {
            const DesignRect& h = handle.second;
            p.fillRect(QRect(h.x, h.y, h.width, h.height), Qt::white);
        }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const std::vector<DesignRect> outlines = design.dragRects();
    if (!outlines.empty()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        for (const DesignRect& r : outlines)
            p.drawRect(QRect(r.x, r.y, std::max(r.width, 1), std::max(r.height, 1)).adjusted(0, 0, -1, -1));
    }
    p.restore();
}

CFormDesignView::CFormDesignView(FormDesign& design, QWidget* parent) : QAbstractScrollArea(parent), design_(design)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
}

void CFormDesignView::setShowTabOrder(bool on)
{
    showTabOrder_ = on;
    viewport()->update();
}

void CFormDesignView::setFolder(const QString& folder)
{
    folder_ = folder;
    images_.clear();
    viewport()->update();
}

void CFormDesignView::updateScrollBars()
{
    // The bars show only when the form is larger than the window, and go 10 pixels beyond it.
    // The design keeps the scroll position (a form just opened or made new starts at 0, 0).
    const FormObject& form = design_.objects()[0];
    const int scrollX = form.offsetX, scrollY = form.offsetY;
    const QSize client = viewport()->size();
    const int maxX =
        std::max(0, static_cast<int>(std::min<uint32_t>(form.width, 4096)) - client.width() + kScrollMargin);
    const int maxY =
        std::max(0, static_cast<int>(std::min<uint32_t>(form.height, 4096)) - client.height() + kScrollMargin);
    horizontalScrollBar()->setRange(0, form.width > static_cast<uint32_t>(client.width()) ? maxX : 0);
    verticalScrollBar()->setRange(0, form.height > static_cast<uint32_t>(client.height()) ? maxY : 0);
    horizontalScrollBar()->setPageStep(std::max(1, client.width() - kPageMargin));
    verticalScrollBar()->setPageStep(std::max(1, client.height() - kPageMargin));
    horizontalScrollBar()->setValue(scrollX);
    verticalScrollBar()->setValue(scrollY);
    design_.setScroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update();
}

void CFormDesignView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    paintDesign(p, {design_, QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()), showTabOrder_},
                viewport()->rect(), images_, folder_);
}

DesignPoint CFormDesignView::toForm(const QPointF& at) const
{
    const QPoint p = at.toPoint();
    return {p.x() + horizontalScrollBar()->value(), p.y() + verticalScrollBar()->value()};
}

void CFormDesignView::updateCursor(DesignPoint at)
{
    for (size_t k = 0; k < design_.objects().size(); ++k)
        for (const auto& [handle, r] : design_.handles(k))
            if (r.contains(at)) {
                switch (handle) {
                case Handle::TopLeft:
                case Handle::BottomRight: viewport()->setCursor(Qt::SizeFDiagCursor); return;
                case Handle::TopRight:
                case Handle::BottomLeft: viewport()->setCursor(Qt::SizeBDiagCursor); return;
                case Handle::Top:
                case Handle::Bottom: viewport()->setCursor(Qt::SizeVerCursor); return;
                default: viewport()->setCursor(Qt::SizeHorCursor); return;
                }
            }
    viewport()->setCursor(Qt::ArrowCursor);
}

void CFormDesignView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    design_.press(toForm(event->position()), event->modifiers().testFlag(Qt::ShiftModifier));
    if (design_.dragMode() == DragMode::Move)
        viewport()->setCursor(Qt::SizeAllCursor);
    Q_EMIT commandDone();
}

void CFormDesignView::mouseMoveEvent(QMouseEvent* event)
{
    const DesignPoint at = toForm(event->position());
    if (design_.dragMode() != DragMode::None && event->buttons().testFlag(Qt::LeftButton))
        design_.dragTo(at);
    else
        updateCursor(at);
}

void CFormDesignView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || design_.dragMode() == DragMode::None)
        return;
    design_.release(toForm(event->position()));
    updateCursor(toForm(event->position()));
    Q_EMIT commandDone();
}

void CFormDesignView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && design_.objectAt(toForm(event->position())))
        Q_EMIT objectDoubleClicked();
}

void CFormDesignView::keyPressEvent(QKeyEvent* event)
{
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_Left: design_.arrow(ArrowKey::Left, shift, ctrl); break;
    case Qt::Key_Right: design_.arrow(ArrowKey::Right, shift, ctrl); break;
    case Qt::Key_Up: design_.arrow(ArrowKey::Up, shift, ctrl); break;
    case Qt::Key_Down: design_.arrow(ArrowKey::Down, shift, ctrl); break;
    case Qt::Key_Delete: design_.deleteSelection(); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    Q_EMIT commandDone();
}

void CFormDesignView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CFormDesignView::scrollContentsBy(int, int)
{
    design_.setScroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update();
}

} // namespace qel
