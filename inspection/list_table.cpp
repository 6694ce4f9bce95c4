#include "inspection/list_table.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace qel {

namespace {

std::optional<double> numberIn(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string withoutCommas(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ',')
            out += c;
    return out;
}

bool before(const std::string& a, const std::string& b)
{
    const std::optional<double> x = numberIn(a), y = numberIn(b);
    if (x && y)
        return *x < *y;
    return withoutCommas(a) < withoutCommas(b);
}

} // namespace

void sortRows(std::vector<std::vector<std::string>>& rows, size_t column)
{
    static const std::string kEmpty;
    const auto cell = [&](const std::vector<std::string>& row) -> const std::string& {
        return column < row.size() ? row[column] : kEmpty;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) { return before(cell(a), cell(b)); });
}

std::string csvLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (size_t k = 0; k < cells.size(); ++k) {
        if (k > 0)
            line += ',';
        const std::string& cell = cells[k];
        if (cell.find_first_of(",\"\r\n") == std::string::npos) {
            line += cell;
            continue;
        }
        line += '"';
        for (char c : cell) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line;
}

std::string csvText(const VariableListTable& table, std::string_view lineEnd)
{
    std::vector<std::string> titles{std::string(kRowNumberTitle)};
    titles.insert(titles.end(), table.columns.begin(), table.columns.end());
    std::string text = csvLine(titles);
    text += lineEnd;
    for (const std::vector<std::string>& row : table.rows) {
        text += csvLine(row);
        text += lineEnd;
    }
    return text;
}

} // namespace qel
