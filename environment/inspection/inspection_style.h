#pragma once
// The inspection windows' lists: report views with green text on black, as the program listing.

#include <initializer_list>
#include <utility>

class QTreeWidget;

namespace qel {

// Makes a list a report view of the given columns (title, width in pixels) in green on black.
void makeReportList(QTreeWidget& list, std::initializer_list<std::pair<const char*, int>> columns);

} // namespace qel
