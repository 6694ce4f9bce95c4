#include "environment/editors/field_layout.h"

namespace qel {

namespace {

constexpr int kWidestRow = 6;

bool sameField(const FieldSpec& a, const FieldSpec& b) { return a.label == b.label && a.kind == b.kind; }

// How many fields from `first` on repeat the first `columns` of them: whole rows (at least two) and a
// shorter last row; 0 when they do not repeat.
int repeatedRun(const std::vector<FieldSpec>& fields, int first, int columns)
{
    const int n = static_cast<int>(fields.size());
    for (int k = first; k < first + columns; ++k)
        if (k >= n || fields[k].kind == FieldKind::Radio)
            return 0;
    int covered = columns;
    while (covered < n - first && sameField(fields[first + covered], fields[first + covered % columns]))
        ++covered;
    return covered >= 2 * columns ? covered : 0;
}

int radioGroupLength(const std::vector<FieldSpec>& fields, int first)
{
    int k = first + 1;
    while (k < static_cast<int>(fields.size()) && fields[k].kind == FieldKind::Radio && !fields[k].newRadioGroup)
        ++k;
    return k - first;
}

} // namespace

std::vector<FieldBlock> planFieldLayout(const std::vector<FieldSpec>& fields)
{
    std::vector<FieldBlock> blocks;
    int k = 0;
    while (k < static_cast<int>(fields.size())) {
        if (fields[k].kind == FieldKind::Radio) {
            const int count = radioGroupLength(fields, k);
            blocks.push_back({FieldBlock::Kind::RadioGroup, k, count, 1});
            k += count;
            continue;
        }
        FieldBlock best{FieldBlock::Kind::Single, k, 1, 1};
        for (int columns = 2; columns <= kWidestRow; ++columns)
            if (const int covered = repeatedRun(fields, k, columns); covered > best.count)
                best = {FieldBlock::Kind::Table, k, covered, columns};
        blocks.push_back(best);
        k += best.count;
    }
    return blocks;
}

} // namespace qel
