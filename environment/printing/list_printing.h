#pragma once
// Printing the variable list window's table: on every page the title, the date and time with the
// page number, the column titles underlined, then rows, the columns scaled to fill the page width.

#include "base/result.h"
#include "interpreter/run_host.h"

#include <QString>

#include <functional>

class QPaintDevice;
class QPainter;
class QWidget;

namespace qel {

// Paints the table's pages on a device (the printer, or a PDF writer in tests), starting a new page
// with newPage between pages. Returns the number of pages.
int paintTablePages(QPainter& painter, QPaintDevice& device, const VariableListTable& table,
                    const std::function<bool()>& newPage);

// File > Print... of the variable list window. Returns where a PDF went (empty: a printer, or
// cancelled), or why nothing was printed.
Result<QString> printTable(QWidget* parent, const VariableListTable& table, const QString& folder);

} // namespace qel
