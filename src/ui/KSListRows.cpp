#include "ui/KSListRows.h"

#include <algorithm>
#include <cstdlib>

int CompareCellsDefault(const KSListRow& a, const KSListRow& b, int column)
{
    const size_t index = size_t(column - 1);
    const bool hasA = column >= 1 && index < a.cells.size();
    const bool hasB = column >= 1 && index < b.cells.size();
    if (!hasA || !hasB)
        return int(hasA) - int(hasB);
    const KSListCell& x = a.cells[index];
    const KSListCell& y = b.cells[index];
    if (x.hasNumber && y.hasNumber)
        return x.number < y.number ? -1 : (y.number < x.number ? 1 : 0);
    return QString::compare(x.text, y.text, Qt::CaseInsensitive);
}

void SortListRows(std::vector<KSListRow>& rows, const SortKeyList& keys, const KSListCompare& compare)
{
    const KSListCompare& by = compare ? compare : KSListCompare(CompareCellsDefault);
    const std::vector<int>& order = keys.Keys();
    std::sort(rows.begin(), rows.end(), [&](const KSListRow& a, const KSListRow& b) {
        for (const int key : order) {
            int result = by(a, b, std::abs(key));
            if (key < 0)
                result = -result;
            if (result != 0)
                return result < 0;
        }
        return a.serial < b.serial;
    });
}
