#pragma once
// The run-time window's picture: the canvas the drawing instructions draw on, the run's drawing
// state, and the full repaint that clears the canvas and runs the Paint section into it. The IDE's
// run-time window shows this canvas; qeltool and the tests run it headless.

#include "interpreter/picture_charge.h"
#include "runtime/draw_target.h"

#include <QImage>
#include <QSize>

namespace qel {

class Interpreter;

class RunCanvas {
public:
    explicit RunCanvas(QSize size = QSize(600, 400));

    // The interpreter draws on this canvas from now on.
    void attach(Interpreter& interpreter);

    DrawTarget& target() { return target_; }
    DrawState& state() { return state_; }
    // The picture as it stands (painting ended, so it can be shown or saved).
    const QImage& image();
    QSize size() const { return image_.size(); }

    // A run has been set up: the drawing state goes back to its run-start values and the window is
    // painted once before the Initialise section runs, which then draws with the default text
    // attributes.
    void runStarting();
    // A full repaint (shown, resized, maximised, restored): the canvas is cleared to the window's
    // background and the Paint section runs into it when a run can take it.
    void repaint();
    // The client area changes size; the caller repaints. The run's memory budget pays for the
    // picture: a size it cannot hold leaves the picture as it is.
    void resize(QSize size);
    // The notice a run shows when its Paint section holds only its heading.
    void paintEmptyNotice();
    // The largest client size a maximised window gets: the screen's available area.
    static QSize maximisedSize();

private:
    QImage image_;
    DrawState state_;
    DrawTarget target_;
    Interpreter* interpreter_ = nullptr;
    PictureCharge charge_;
};

inline constexpr const char* kEmptyPaintNotice =
    "The PAINT section has been called, but it was found to be empty!\n\n Stop the program and add code to the "
    "PAINT section,\n using the menu item View->Paint Section";

} // namespace qel
