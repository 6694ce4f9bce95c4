#include "environment/form_designer/property_grid.h"
#include "environment/look/contrast.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qel {

namespace {

// A marked value's red, and the lighter one it takes where that red would not read (a dark theme).
const QColor kMarkedValue(200, 0, 0);
const QColor kMarkedValueOnDark(255, 110, 110);
// How far from the values' background towards their text the labels' background and the lines are.
constexpr double kLabelShade = 0.2;
constexpr double kLineShade = 0.35;
constexpr int kMargin = 2; // text inset from its cell's left edge
constexpr int kSampleWidth = 200;
constexpr int kMinValueWidth = 80; // what the values keep when a label is wide

QColor between(const QColor& from, const QColor& to, double share)
{
    const auto channel = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return {channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue())};
}

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
    marked_.fill(false, values.size());
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

void PropertyGrid::setMarked(int row, bool marked)
{
    if (row < 0 || row >= marked_.size() || marked_[row] == marked)
        return;
    marked_[row] = marked;
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

int PropertyGrid::labelWidth() const
{
    int widest = 0;
    for (const QString& label : labels_)
        widest = std::max(widest, fontMetrics().horizontalAdvance(label) + 2 * kMargin);
    return std::max(width() / 2, std::min(widest, width() - kMinValueWidth));
}

QRect PropertyGrid::valueRect(int row) const
{
    const int left = labelWidth();
    return {left, row * rowHeight(), width() - left, rowHeight()};
}

QSize PropertyGrid::sizeHint() const { return {kSampleWidth, rowCount() * rowHeight() + 1}; }

void PropertyGrid::paintEvent(QPaintEvent* /*event*/)
{
    // The palette's colours, so the grid reads in a light and a dark theme alike.
    const QColor base = palette().color(QPalette::Base), text = palette().color(QPalette::Text);
    const QColor labelBackground = between(base, text, kLabelShade), line = between(base, text, kLineShade);
    const QColor marked = contrastRatio(kMarkedValue, base) >= kReadableContrast ? kMarkedValue : kMarkedValueOnDark;
    QPainter p(this);
    const int h = rowHeight();
    const int labels = labelWidth();
    for (int row = 0; row < rowCount(); ++row) {
        const QRect label(0, row * h, labels, h);
        const QRect value = valueRect(row);
        const bool selected = row == selected_;
        p.fillRect(label, selected ? palette().color(QPalette::Highlight) : labelBackground);
        p.fillRect(value, base);
        p.setPen(selected ? palette().color(QPalette::HighlightedText) : text);
        p.drawText(label.adjusted(kMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, labels_[row]);
        p.setPen(isMarked(row) ? marked : text);
        p.drawText(value.adjusted(kMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, values_.value(row));
        p.setPen(line);
        p.drawLine(0, label.bottom(), width(), label.bottom());
    }
    p.setPen(line);
    p.drawLine(labels - 1, 0, labels - 1, rowCount() * h - 1);
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
