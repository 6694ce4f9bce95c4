#pragma once
// What drawing instructions draw on: the run-time canvas (an image of the window's client size,
// drawn without antialiasing so every pixel is exact) and the run's drawing state; or, while the
// program prints, a page: an image at the printer's resolution with text attributes of its own,
// sharing the colour table, bitmaps and timer of the window's state.

#include "runtime/draw_state.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>

namespace qel {

class DrawTarget {
public:
    DrawTarget(QImage& image, DrawState& state) : image_(image), state_(state), text_(&state.text) {}
    // A printed page: the page image, its own text attributes, and the window it stands in for.
    DrawTarget(QImage& page, TextAttributes& text, DrawTarget& window)
        : image_(page), state_(window.state_), text_(&text), window_(&window)
    {}
    ~DrawTarget() { painter_.reset(); }
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;

    // The picture, with any text waiting to be written on it written.
    QImage& image()
    {
        if (later_)
            writeNow();
        return image_;
    }
    DrawState& state() { return state_; }
    // The font and colours text is written with here.
    TextAttributes& text() { return *text_; }
    // What WindowGetSize reports: the window's client size, or the page's printable size.
    QSize clientSize() const { return image_.size(); }
    // The rectangle WindowClear fills: always the window's client area, on a page too.
    QSize windowSize() const { return window_ ? window_->clientSize() : clientSize(); }
    bool isPage() const { return window_ != nullptr; }

    // A painter on the image, begun on first use, to draw with.
    QPainter& painter();
    // The same painter, to set its font, pen or background only: text waiting to be written stays
    // waiting.
    QPainter& settings();
    // The font text is written in from now on (until painting ends).
    void setTextFont(const QFont& font);
    // Makes the application (runtime/gui_application.h) before text is written or measured;
    // painting that began without it begins again, with the application's fonts.
    void prepareForText();
    // Text to write in black, in the present font, at the picture's next use (drawn on, read or
    // saved): finding a font loads the system's font list, which a run that never shows or keeps
    // its picture need not wait for.
    void writeLater(const QRect& area, int flags, const QString& text);
    // Ends painting, so the image can be read, resized or saved.
    void end()
    {
        if (later_)
            writeNow();
        painter_.reset();
        font_.reset();
    }
    // Whether something has been drawn since painting last ended.
    bool painting() const { return painter_ != nullptr; }

private:
    struct LaterText {
        QRect area;
        int flags = 0;
        QString text;
        std::optional<QFont> font;
    };
    void writeNow();

    QImage& image_;
    DrawState& state_;
    TextAttributes* text_;
    DrawTarget* window_ = nullptr;
    std::unique_ptr<QPainter> painter_;
    std::optional<QFont> font_; // set since painting began; none: the painter's own
    std::unique_ptr<LaterText> later_;
};

} // namespace qel
