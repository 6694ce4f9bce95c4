#include "runtime/run_canvas.h"

#include "runtime/text_attributes.h"
#include "support/gui_environment.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace qel;

namespace {

// The empty Paint section's notice painted at once in a fresh painter, then a blue rectangle.
QImage noticeAtOnce(QSize size, QRect blue)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    const QRect area(QPoint(0, 0), size);
    p.fillRect(area, QColor(255, 255, 128));
    p.setPen(Qt::black);
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, kEmptyPaintNotice);
    p.fillRect(blue, Qt::blue);
    return image;
}

} // namespace

// The notice's text waits for the picture's next use: it must come out as if painted at once, in
// the painter's font of that moment and under what is drawn next, whatever font the run sets first.
TEST(RunCanvas, WritesTheEmptyNoticeAsIfAtOnce)
{
    ASSERT_TRUE(test::guiApplicationRunning());
    for (const QRect blue : {QRect(), QRect(200, 160, 200, 60)}) { // the second across the text
        RunCanvas canvas;
        canvas.paintEmptyNotice();
        canvas.state().text.font = makeTextFont("Serif", 30, kFontBold, 96);
        applyTextAttributes(canvas.target());
        if (!blue.isEmpty())
            canvas.target().painter().fillRect(blue, Qt::blue);
        EXPECT_TRUE(canvas.image() == noticeAtOnce(canvas.size(), blue)) << blue.width();
    }
}
