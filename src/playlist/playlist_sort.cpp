#include "playlist_sort.h"

#include <QCollator>

#include <utility>

namespace {

struct SortEntry {
    QCollatorSortKey key;
    QString text;  // breaks ties between equal keys by code point
    std::unique_ptr<CPlaylistRow> row;
};

struct PivotKey {
    QCollatorSortKey key;
    QString text;
};

int Compare(const SortEntry& entry, const PivotKey& pivot)
{
    const int byKey = entry.key.compare(pivot.key);
    return byKey != 0 ? byKey : QString::compare(entry.text, pivot.text);
}

void Sort(std::vector<SortEntry>& entries, int lo, int hi)
{
    while (lo < hi) {
        const SortEntry& p = entries[static_cast<size_t>((lo + hi) / 2)];
        const PivotKey pivot{p.key, p.text};
        int i = hi;
        int j = lo;
        int k = lo;
        while (j <= i) {
            if (Compare(entries[static_cast<size_t>(i)], pivot) > 0) {
                --i;
            } else {
                std::swap(entries[static_cast<size_t>(j)], entries[static_cast<size_t>(i)]);
                if (Compare(entries[static_cast<size_t>(j)], pivot) >= 0) {
                    ++j;
                } else {
                    std::swap(entries[static_cast<size_t>(k)], entries[static_cast<size_t>(j)]);
                    ++k;
                    ++j;
                }
            }
        }
        // lo .. k-1 below the pivot, k .. i equal, i+1 .. hi above. The two
        // outer ranges are sorted independently, so which goes first does
        // not change the result; recursing into the smaller one bounds the
        // stack depth whatever the input.
        if (k - lo < hi - i) {
            Sort(entries, lo, k - 1);
            lo = i + 1;
        } else {
            Sort(entries, i + 1, hi);
            hi = k - 1;
        }
    }
}

}  // namespace

void SortRowsByText(std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text)
{
    if (rows.empty())
        return;
    QCollator collator;
    // Qt collates the C locale by code point, where upper and lower case
    // would not sort together; fold the case into the key there.
    const bool foldCase = collator.locale().language() == QLocale::C;

    std::vector<SortEntry> entries;
    entries.reserve(rows.size());
    for (auto& row : rows) {
        const QString& value = (*row).*text;
        entries.push_back({collator.sortKey(foldCase ? value.toCaseFolded() : value), value,
                           std::move(row)});
    }
    Sort(entries, 0, static_cast<int>(entries.size()) - 1);
    for (size_t i = 0; i < entries.size(); ++i)
        rows[i] = std::move(entries[i].row);
}
