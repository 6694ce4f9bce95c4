#pragma once
// What drawing instructions draw on: the run-time canvas (an image of the window's client size,
// drawn without antialiasing so every pixel is exact) and the run's drawing state; or, while the
// program prints, a page: an image at the printer's resolution with text attributes of its own,
// sharing the colour table, bitmaps and timer of the window's state.

#include "runtime/draw_state.h"

#include <QImage>
#include <QPainter>

#include <memory>

namespace qel {

class DrawTarget {
public:
    DrawTarget(QImage& image, DrawState& state) : image_(image), state_(state), text_(&state.text) {}
    // A printed page: the page image, its own text attributes, and the window it stands in for.
    DrawTarget(QImage& page, TextAttributes& text, DrawTarget& window)
        : image_(page), state_(window.state_), text_(&text), window_(&window)
    {}
    ~DrawTarget() { end(); }
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;

    QImage& image() { return image_; }
    DrawState& state() { return state_; }
    // The font and colours text is written with here.
    TextAttributes& text() { return *text_; }
    // What WindowGetSize reports: the window's client size, or the page's printable size.
    QSize clientSize() const { return image_.size(); }
    // The rectangle WindowClear fills: always the window's client area, on a page too.
    QSize windowSize() const { return window_ ? window_->clientSize() : clientSize(); }
    bool isPage() const { return window_ != nullptr; }

    // A painter on the image, begun on first use.
    QPainter& painter();
    // Ends painting, so the image can be read, resized or saved.
    void end() { painter_.reset(); }
    // Whether something has been drawn since painting last ended.
    bool painting() const { return painter_ != nullptr; }

private:
    QImage& image_;
    DrawState& state_;
    TextAttributes* text_;
    DrawTarget* window_ = nullptr;
    std::unique_ptr<QPainter> painter_;
};

} // namespace qel
