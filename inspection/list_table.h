#pragma once
// What the variable list window does with its table, without widgets: sorting by a column, and the
// comma-separated text that Copy puts on the clipboard and Save As writes.

#include "interpreter/run_host.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// The title of column 0, which holds the row numbers.
inline constexpr std::string_view kRowNumberTitle = "#";

// Sorts the rows by one column: two cells that both read as numbers compare as numbers, any others
// as their texts with commas removed. Rows that compare equal keep their order.
void sortRows(std::vector<std::vector<std::string>>& rows, size_t column);

// One line of comma-separated cells. A cell holding a comma, a double quote or a line break is
// written in double quotes with its quotes doubled, so the file reads back into the same cells.
std::string csvLine(const std::vector<std::string>& cells);

// The table as Save As writes it: the column titles (the row number column first), then every row,
// each line ended by lineEnd.
std::string csvText(const VariableListTable& table, std::string_view lineEnd);

} // namespace qel
