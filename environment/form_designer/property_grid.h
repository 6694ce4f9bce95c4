#pragma once
// The two-column grid of the properties window: a label and a value each row, values on the
// palette's base colour, labels on a shade between it and the text, the selected row highlighted.
// It only paints and reports clicks and keys; the window opens the editors over its value cells.

#include <QStringList>
#include <QWidget>

namespace qel {

class PropertyGrid : public QWidget {
    Q_OBJECT
public:
    explicit PropertyGrid(QWidget* parent = nullptr);

    void setRows(const QStringList& labels, const QStringList& values);
    void setValue(int row, const QString& value);
    // A marked row's value is drawn in red: something is wrong with it.
    void setMarked(int row, bool marked);
    bool isMarked(int row) const { return marked_.value(row); }
    int rowCount() const { return static_cast<int>(labels_.size()); }
    QString label(int row) const { return labels_.value(row); }
    QString value(int row) const { return values_.value(row); }

    int selectedRow() const { return selected_; }
    void selectRow(int row);
    int rowHeight() const;
    // The row under a point of the grid; -1 below the last row.
    int rowAt(QPoint point) const;
    QRect valueRect(int row) const;
    // The label column: half the width, or more when a label needs it and the values keep room.
    int labelWidth() const;
    QSize sizeHint() const override;

Q_SIGNALS:
    void rowClicked(int row);
    // A double-click on a row, or Enter on the selected one: open its editor.
    void rowActivated(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringList labels_;
    QStringList values_;
    QList<bool> marked_;
    int selected_ = -1;
};

} // namespace qel
