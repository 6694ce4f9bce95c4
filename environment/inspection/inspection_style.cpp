#include "environment/inspection/inspection_style.h"

#include <QHeaderView>
#include <QPalette>
#include <QTreeWidget>

#include <utility>

namespace qel {

void makeReportList(QTreeWidget& list, std::initializer_list<std::pair<const char*, int>> columns)
{
    QStringList titles;
    for (const auto& [title, width] : columns)
        titles << QString::fromLatin1(title);
    list.setColumnCount(static_cast<int>(titles.size()));
    list.setHeaderLabels(titles);
    int k = 0;
    for (const auto& [title, width] : columns)
        list.setColumnWidth(k++, width);
    list.setRootIsDecorated(false);
    list.setUniformRowHeights(true);
    list.setAllColumnsShowFocus(true);
    QPalette palette = list.palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, QColor(0, 255, 0));
    list.setPalette(palette);
}

} // namespace qel
