#include "environment/shell/main_frame_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qel {

namespace {

// Every picture is drawn on a 32 x 32 grid and rendered at two sizes.
constexpr int kGrid = 32;

const QColor kInk(40, 40, 40);

void drawNew(QPainter& p)
{
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(19, 3);
    page.lineTo(26, 10);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(210, 210, 210));
    p.drawPolygon(QPolygonF({QPointF(19, 3), QPointF(19, 10), QPointF(26, 10)}));
    p.setPen(QPen(QColor(120, 150, 200), 1.5));
    for (int y = 15; y <= 24; y += 4)
        p.drawLine(QPointF(11, y), QPointF(22, y));
}

void drawOpen(QPainter& p)
{
    p.setBrush(QColor(230, 180, 60));
    p.drawPath([] {
        QPainterPath back;
        back.moveTo(3, 8);
        back.lineTo(11, 8);
        back.lineTo(14, 11);
        back.lineTo(25, 11);
        back.lineTo(25, 26);
        back.lineTo(3, 26);
        back.closeSubpath();
        return back;
    }());
    p.setBrush(QColor(250, 215, 100));
    p.drawPolygon(QPolygonF({QPointF(7, 15), QPointF(30, 15), QPointF(25, 26), QPointF(3, 26)}));
}

void drawSave(QPainter& p)
{
    p.setBrush(QColor(50, 90, 170));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 4, 16, 10));
    p.setBrush(QColor(190, 190, 200));
    p.drawRect(QRectF(10, 19, 12, 9));
    p.setBrush(kInk);
    p.drawRect(QRectF(18, 21, 2, 5));
}

// A section's tile: a coloured square with the section's letter, so the five read at a glance.
void drawSectionTile(QPainter& p, const QColor& colour, QChar letter)
{
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 5, 5);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(19);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QString(letter));
}

void drawRun(QPainter& p)
{
    p.setBrush(QColor(40, 160, 60));
    p.drawPolygon(QPolygonF({QPointF(9, 5), QPointF(27, 16), QPointF(9, 27)}));
}

void drawStop(QPainter& p)
{
    p.setBrush(QColor(200, 40, 40));
    p.drawRoundedRect(QRectF(7, 7, 18, 18), 2, 2);
}

void drawContinue(QPainter& p)
{
    p.setBrush(QColor(40, 120, 200));
    p.drawRect(QRectF(5, 6, 4, 20));
    p.drawPolygon(QPolygonF({QPointF(13, 6), QPointF(28, 16), QPointF(13, 26)}));
}

void drawObjectViewer(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 3, 19, 19));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (int v = 8; v < 22; v += 5) {
        p.drawLine(QPointF(3, v + 0.5), QPointF(22, v + 0.5));
        p.drawLine(QPointF(v + 0.5, 3), QPointF(v + 0.5, 22));
    }
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 22), QPointF(29, 29));
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(200, 230, 255, 200));
    p.drawEllipse(QPointF(18, 18), 6, 6);
}

void drawApplication(QPainter& p)
{
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(22);
    p.setFont(font);
    p.setPen(QColor(0, 220, 0));
    p.drawText(QRectF(1, 0, 30, 30), Qt::AlignCenter, QStringLiteral("Q"));
}

void drawTool(QPainter& p, ToolIcon which)
{
    switch (which) {
    case ToolIcon::New: drawNew(p); return;
    case ToolIcon::Open: drawOpen(p); return;
    case ToolIcon::Save: drawSave(p); return;
    case ToolIcon::Initialise: drawSectionTile(p, QColor(60, 140, 60), QLatin1Char('I')); return;
    case ToolIcon::Keyboard: drawSectionTile(p, QColor(70, 100, 180), QLatin1Char('K')); return;
    case ToolIcon::Timer: drawSectionTile(p, QColor(190, 120, 30), QLatin1Char('T')); return;
    case ToolIcon::Mouse: drawSectionTile(p, QColor(130, 70, 160), QLatin1Char('M')); return;
    case ToolIcon::Paint: drawSectionTile(p, QColor(190, 60, 90), QLatin1Char('P')); return;
    case ToolIcon::Run: drawRun(p); return;
    case ToolIcon::Stop: drawStop(p); return;
    case ToolIcon::Continue: drawContinue(p); return;
    case ToolIcon::ObjectViewer: drawObjectViewer(p); return;
    }
}

template <typename Draw>
QIcon render(Draw draw)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(double(size) / kGrid, double(size) / kGrid);
        p.setPen(QPen(kInk, 1.2));
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon toolIcon(ToolIcon which)
{
    return render([which](QPainter& p) { drawTool(p, which); });
}

QIcon applicationIcon() { return render(drawApplication); }

} // namespace qel
