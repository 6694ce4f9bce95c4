#include "environment/form_designer/designer_icons.h"

#include "environment/look/contrast.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace qel {

namespace {

constexpr int kS = kDesignerIconSize;

// Pictures of controls have light faces of their own and keep black lines on them; the marks drawn
// straight on the toolbar take the ink that reads on its background.
bool hasFace(CommandId id)
{
    switch (id) {
    case kCmdFormAddEdit:
    case kCmdFormAddCheckBox:
    case kCmdFormAddPicture:
    case kCmdFormAddComboBox:
    case kCmdFormAddButton:
    case kCmdFormAddRectangle:
    case kCmdFormPainter: return true;
    default: return false;
    }
}

void drawPicture(QPainter& p, CommandId id, const QColor& ink)
{
    p.setPen(QPen(hasFace(id) ? QColor(Qt::black) : ink, 1));
    p.setBrush(Qt::NoBrush);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    switch (id) {
    case kCmdFormAddStatic: p.drawText(QRect(0, 0, kS, kS), Qt::AlignCenter, QStringLiteral("Ab")); break;
    case kCmdFormAddEdit:
        p.fillRect(3, 7, 18, 10, Qt::white);
        p.drawRect(3, 7, 17, 9);
        p.drawLine(6, 9, 6, 14);
        break;
    case kCmdFormAddCheckBox:
        p.fillRect(6, 6, 12, 12, Qt::white);
        p.drawRect(6, 6, 11, 11);
        p.drawLine(8, 12, 11, 15);
        p.drawLine(11, 15, 16, 8);
        break;
    case kCmdFormAddLine: p.drawLine(3, 3, 20, 20); break;
    case kCmdFormAddPicture:
        p.fillRect(3, 5, 18, 14, QColor(120, 180, 255));
        p.setBrush(QColor(40, 140, 40));
        p.drawPolygon(QPolygon({{3, 18}, {10, 10}, {16, 18}}));
        break;
    case kCmdFormAddComboBox:
        p.fillRect(2, 7, 20, 10, Qt::white);
        p.drawRect(2, 7, 19, 9);
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygon({{15, 10}, {20, 10}, {17, 14}}));
        break;
    case kCmdFormAddButton:
        p.fillRect(2, 6, 20, 12, QColor(212, 208, 200));
        p.drawRect(2, 6, 19, 11);
        break;
    case kCmdFormAddRectangle:
        p.fillRect(4, 4, 16, 16, QColor(200, 200, 200));
        p.drawRect(4, 4, 15, 15);
        break;
    case kCmdFormSnap:
        for (int y = 4; y < kS; y += 5)
            for (int x = 4; x < kS; x += 5)
                p.drawPoint(x, y);
        break;
    case kCmdFormPainter:
        p.fillRect(4, 3, 16, 6, QColor(255, 220, 0));
        p.drawRect(4, 3, 15, 5);
        p.drawLine(12, 9, 12, 20);
        break;
    case kCmdFormForeground: p.drawText(QRect(0, 0, kS, 16), Qt::AlignCenter, QStringLiteral("F")); break;
    case kCmdFormBackground: p.drawText(QRect(0, 0, kS, 16), Qt::AlignCenter, QStringLiteral("B")); break;
    case kCmdFormBorder: p.drawRect(5, 3, 13, 11); break;
    case kCmdFormTabOrder: p.drawText(QRect(0, 0, kS, kS), Qt::AlignCenter, QStringLiteral("1 2")); break;
    case kCmdFormShow:
        p.setBrush(QColor(0, 160, 0));
        p.drawPolygon(QPolygon({{7, 4}, {19, 12}, {7, 20}}));
        break;
    default: break;
    }
}

} // namespace

QIcon designerIcon(CommandId id, QColor colour)
{
    // Drawn for each common device pixel ratio, so that the lines stay sharp on a high-DPI screen, in
    // the ink that reads on the toolbar's background.
    const QColor ink = inkOn(QGuiApplication::palette().color(QPalette::Window));
    QIcon icon;
    for (const int ratio : {1, 2, 3}) {
        QPixmap pixmap(kS * ratio, kS * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        drawPicture(p, id, ink);
        // The colour strip: 3 pixels in from each side, from 8 to 3 pixels above the bottom.
        if (colour.isValid())
            p.fillRect(QRect(QPoint(3, kS - 8), QPoint(kS - 4, kS - 4)), colour);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace qel
