#pragma once
// The designer's drawing surface: a thin view of a FormDesign. It paints the form with its grid,
// its objects (the shapes as a running form draws them, pictures of the controls), the handles of
// the selected objects and the outlines of a drag; it hands the mouse and the keys to the model in
// the form's coordinates and scrolls when the form is larger than the window.

#include "forms/design/form_design.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>

namespace qel {

// Paints a design scrolled by `scroll` onto p; images are found in `folder`. The widget and the
// benchmark paint through this.
struct DesignPicture {
    const FormDesign& design;
    QPoint scroll;
    bool showTabOrder = false;
};
void paintDesign(QPainter& p, const DesignPicture& picture, const QRect& area, QHash<QString, QImage>& images,
                 const QString& folder);

class CFormDesignView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CFormDesignView(FormDesign& design, QWidget* parent = nullptr);

    void setShowTabOrder(bool on);
    bool showsTabOrder() const { return showTabOrder_; }
    // Where relative image names are found: the form file's folder.
    void setFolder(const QString& folder);
    // The form moved or changed size: the scroll bars follow.
    void updateScrollBars();

Q_SIGNALS:
    void objectDoubleClicked();
    // A key that changed the objects, or a click that showed a message: the window takes over.
    void commandDone();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    DesignPoint toForm(const QPointF& at) const;
    void updateCursor(DesignPoint at);

    FormDesign& design_;
    bool showTabOrder_ = false;
    QString folder_;
    QHash<QString, QImage> images_;
};

} // namespace qel
