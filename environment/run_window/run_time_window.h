#pragma once
// The run-time window: shows the run's canvas, repaints it fully (Paint section) when shown or
// resized, turns keys and mouse into the program's events, and refuses to be closed by the user.

#include "base/translatable.h"
#include <QRect>
#include <QWidget>
#include <QtGlobal>

namespace qel {

class RunRecorder;

class Interpreter;
class MessageHost;
class RunCanvas;

inline constexpr const char* kRunTimeWindowCaption = QT_TRANSLATE_NOOP("qel", "Run Time Window");
// The window's frame when a run creates it: (0, 0)-(600, 400) in the main frame's client area.
inline constexpr QRect kRunTimeWindowRect(0, 0, 600, 400);
inline constexpr const char* kMayNotBeClosed = QT_TRANSLATE_NOOP("qel", "This window may not be closed");

class CRunTimeWnd : public QWidget {
    Q_OBJECT
public:
    CRunTimeWnd(RunCanvas& canvas, Interpreter& interpreter, MessageHost& host, QWidget* parent = nullptr);

    // A full repaint: the canvas is cleared and the Paint section runs into it.
    void repaintCanvas();
    // Shows what the program has drawn since the window last showed its canvas.
    void showCanvas();
    // Lets the environment close the window (the user never can).
    void closeForGood();
    // Where the user's keys, mouse actions and resizes are recorded (none: not recorded).
    void setRecorder(RunRecorder* recorder) { recorder_ = recorder; }

    // The size the window has: the MDI area's Cascade sizes every window to its hint, and the
    // picture's room must not go with it.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void mouse(int code, const QMouseEvent& event);

    RunCanvas& canvas_;
    Interpreter& in_;
    MessageHost& host_;
    RunRecorder* recorder_ = nullptr;
    bool closing_ = false;
};

} // namespace qel
