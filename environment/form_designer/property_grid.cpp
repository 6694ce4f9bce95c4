#include "environment/form_designer/property_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qel {

namespace {

const QColor kLabelBackground(200, 200, 200);
constexpr int kMargin = 2; // text inset from its cell's left edge
constexpr int kSampleWidth = 200;

} // namespace

PropertyGrid::PropertyGrid(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void PropertyGrid::setRows(const QStringList& labels, const QStringList& values)
{
    labels_ = labels;
    values_ = values;
    selected_ = -1;
    setMinimumHeight(rowCount() * rowHeight() + 1);
    updateGeometry();
    update();
}

void PropertyGrid::setValue(int row, const QString& value)
{
    if (row < 0 || row >= values_.size())
        return;
    values_[row] = value;
    update();
}

void PropertyGrid::selectRow(int row)
{
    selected_ = row >= 0 && row < rowCount() ? row : -1;
    update();
}

int PropertyGrid::rowHeight() const { return fontMetrics().height() + 2; }

int PropertyGrid::rowAt(QPoint point) const
{
    const int row = point.y() / rowHeight();
    return point.y() >= 0 && point.x() >= 0 && row < rowCount() ? row : -1;
}

QRect PropertyGrid::valueRect(int row) const
{
    const int half = width() / 2;
    return {half, row * rowHeight(), width() - half, rowHeight()};
}

QSize PropertyGrid::sizeHint() const { return {kSampleWidth, rowCount() * rowHeight() + 1}; }

void PropertyGrid::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    const int h = rowHeight();
    const int half = width() / 2;
    for (int row = 0; row < rowCount(); ++row) {
        const QRect label(0, row * h, half, h);
        const QRect value = valueRect(row);
        const bool selected = row == selected_;
        p.fillRect(label, selected ? palette().color(QPalette::Highlight) : kLabelBackground);
        p.fillRect(value, Qt::white);
        p.setPen(selected ? palette().color(QPalette::HighlightedText) : QColor(Qt::black));
        p.drawText(label.adjusted(kMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, labels_[row]);
        p.setPen(Qt::black);
        p.drawText(value.adjusted(kMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, values_.value(row));
        p.setPen(Qt::gray);
        p.drawLine(0, label.bottom(), width(), label.bottom());
    }
    p.setPen(Qt::gray);
    p.drawLine(half - 1, 0, half - 1, rowCount() * h - 1);
}

void PropertyGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const int row = rowAt(event->position().toPoint());
    if (row >= 0)
        Q_EMIT rowClicked(row);
}

void PropertyGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    if (row >= 0)
        Q_EMIT rowActivated(row);
}

void PropertyGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        if (selected_ > 0)
            Q_EMIT rowClicked(selected_ - 1);
        break;
    case Qt::Key_Down:
        if (selected_ + 1 < rowCount())
            Q_EMIT rowClicked(selected_ + 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        if (selected_ >= 0)
            Q_EMIT rowActivated(selected_);
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

} // namespace qel
