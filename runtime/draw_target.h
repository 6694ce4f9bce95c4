#pragma once
// What drawing instructions draw on: the run-time canvas (an image of the window's client size,
// drawn without antialiasing so every pixel is exact) and the run's drawing state.

#include "runtime/draw_state.h"

#include <QImage>
#include <QPainter>

#include <memory>

namespace qel {

class DrawTarget {
public:
    DrawTarget(QImage& image, DrawState& state) : image_(image), state_(state) {}
    ~DrawTarget() { end(); }

    QImage& image() { return image_; }
    DrawState& state() { return state_; }
    // The window's client size: the rectangle WindowClear fills and WindowGetSize reports.
    QSize clientSize() const { return image_.size(); }

    // A painter on the image, begun on first use.
    QPainter& painter();
    // Ends painting, so the image can be read, resized or saved.
    void end() { painter_.reset(); }
    // Whether something has been drawn since painting last ended.
    bool painting() const { return painter_ != nullptr; }

private:
    QImage& image_;
    DrawState& state_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace qel
