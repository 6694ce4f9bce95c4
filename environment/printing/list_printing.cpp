#include "environment/printing/list_printing.h"

#include "environment/printing/print_target.h"
#include "inspection/list_table.h"
#include "runtime/latin1.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <numeric>

namespace qel {

namespace {

constexpr int kMaxCellCharacters = 123;
constexpr int kMaxColumns = 30;

QFont listFont(int points, QFont::Weight weight, bool italic, const QPaintDevice& device)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, points * device.logicalDpiY() / 72));
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

QString cellText(const std::string& text) { return toQString(std::string_view(text).substr(0, kMaxCellCharacters)); }

} // namespace

int paintTablePages(QPainter& painter, QPaintDevice& device, const VariableListTable& table,
                    const std::function<bool()>& newPage)
{
    const QRect page(0, 0, device.width(), device.height());
    std::vector<QString> titles{toQString(kRowNumberTitle)};
    for (const std::string& title : table.columns)
        titles.push_back(toQString(title));
    if (titles.size() > kMaxColumns)
        titles.resize(kMaxColumns);
    // The screen's column widths, scaled so the columns fill the page's width.
    std::vector<int> widths(titles.size(), 100);
    widths[0] = 50;
    const double scale = static_cast<double>(page.width()) / std::accumulate(widths.begin(), widths.end(), 0);
    std::vector<int> lefts;
    int x = 0;
    for (int& w : widths) {
        lefts.push_back(x);
        w = static_cast<int>(w * scale);
        x += w;
    }

    const QFont titleFont = listFont(12, QFont::Normal, false, device);
    const QFont dateFont = listFont(8, QFont::Normal, true, device);
    const QFont headFont = listFont(10, QFont::Bold, true, device);
    const QFont rowFont = listFont(10, QFont::Normal, false, device);
    const QString when = QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

    size_t next = 0;
    int pageNumber = 0;
    do {
        if (pageNumber > 0 && !newPage())
            break;
        ++pageNumber;
        int y = 0;
        painter.setFont(titleFont);
        QRect r = painter.boundingRect(page, flags, toQString(std::string_view(table.title).substr(0, 123)));
        painter.drawText(r, flags, toQString(std::string_view(table.title).substr(0, 123)));
        y = r.bottom() + 1;
        painter.setFont(dateFont);
        const QString dateLine = when + QStringLiteral(" Page ") + QString::number(pageNumber);
        r = painter.boundingRect(QRect(0, y, page.width(), page.height() - y), flags, dateLine);
        painter.drawText(r, flags, dateLine);
        y = r.bottom() + 1 + painter.fontMetrics().height() / 2;
        painter.setFont(headFont);
        int headBottom = y;
        for (size_t k = 0; k < titles.size(); ++k) {
            const QRect cell(lefts[k], y, widths[k], page.height() - y);
            const QRect drawn = painter.boundingRect(cell, flags, titles[k]);
            painter.drawText(cell, flags, titles[k]);
            headBottom = std::max(headBottom, drawn.bottom());
        }
        for (size_t k = 0; k < titles.size(); ++k)
            painter.drawLine(lefts[k], headBottom + 2, lefts[k] + widths[k] - 4, headBottom + 2);
        y = headBottom + 6;
        painter.setFont(rowFont);
        const int rowHeight = painter.fontMetrics().height();
        bool wroteRow = false;
        while (next < table.rows.size()) {
            const std::vector<std::string>& row = table.rows[next];
            int bottom = y + rowHeight;
            for (size_t k = 0; k < titles.size() && k < row.size(); ++k)
                bottom = std::max(
                    bottom, painter.boundingRect(QRect(lefts[k], y, widths[k], page.height()), flags, cellText(row[k]))
                                    .bottom() +
                                1);
            // A row that does not fit goes on the next page, unless the page holds no row yet.
            if (bottom > page.height() && wroteRow)
                break;
            for (size_t k = 0; k < titles.size() && k < row.size(); ++k)
                painter.drawText(QRect(lefts[k], y, widths[k], bottom - y), flags, cellText(row[k]));
            y = bottom;
            wroteRow = true;
            ++next;
        }
    } while (next < table.rows.size());
    return pageNumber;
}

Result<QString> printTable(QWidget* parent, const VariableListTable& table, const QString& folder)
{
    return printPages(parent, toQString(table.title), folder, QStringLiteral("QELVars"), true,
                      [&](QPainter& painter, QPagedPaintDevice& device) {
                          paintTablePages(painter, device, table, [&] { return device.newPage(); });
                      });
}

} // namespace qel
