#include "core/PlaylistSort.h"

#include <algorithm>
#include <numeric>

namespace PlaylistSort {

using namespace PlaylistEntry;

QList<int> order(const QList<Row> &rows, int column)
{
    const int n = int(rows.size());
    QList<int> result(n);
    // Later rows first, then a stable sort: equal rows keep that reversed order.
    std::iota(result.rbegin(), result.rend(), 0);
    if (column == Size) {
        // Keys once, not at every comparison; a missing file's text is -1, below any size.
        std::vector<double> key(n);
        for (int i = 0; i < n; ++i) {
            const QString &cell = rows.at(i)[Size];
            key[i] = cell.trimmed().isEmpty() ? 0.0 : PlaylistEntry::sizeValue(cell).value_or(-1.0);
        }
        std::stable_sort(result.begin(), result.end(), [&key](int a, int b) { return key[a] > key[b]; });
    } else if (column > Number && column < ColumnCount) {
        std::vector<QString> key(n);
        for (int i = 0; i < n; ++i)
            key[i] = rows.at(i)[column].toCaseFolded();
        std::stable_sort(result.begin(), result.end(), [&key](int a, int b) { return key[a] < key[b]; });
    } else {
        std::iota(result.begin(), result.end(), 0);
    }
    return result;
}

} // namespace PlaylistSort
