#include "playlist_sort.h"

#include <QCollator>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>

namespace {

struct TextKey {
    QCollatorSortKey collated;
    QString text;  // breaks ties between equal collation keys by code point
};

int Compare(const TextKey& a, const TextKey& b)
{
    const int collated = a.collated.compare(b.collated);
    return collated != 0 ? collated : QString::compare(a.text, b.text);
}

// Each row's place in the order of the keys, equal keys sharing a rank.
// Comparing ranks decides exactly as comparing the keys would, at the cost
// of an integer comparison.
std::vector<uint32_t> RankKeys(const std::vector<TextKey>& keys)
{
    std::vector<uint32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [&](uint32_t a, uint32_t b) { return Compare(keys[a], keys[b]) < 0; });
    std::vector<uint32_t> ranks(keys.size());
    uint32_t rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && Compare(keys[order[i - 1]], keys[order[i]]) != 0)
            ++rank;
        ranks[order[i]] = rank;
    }
    return ranks;
}

struct SortEntry {
    uint32_t rank;
    std::unique_ptr<CPlaylistRow> row;
};

// The three-way quicksort over the inclusive range lo .. hi. Where rows with
// equal keys end up depends on its exact steps, so they are kept as they are.
void Sort(std::vector<SortEntry>& entries, int lo, int hi)
{
    const auto at = [&](int index) -> SortEntry& { return entries[static_cast<size_t>(index)]; };
    while (lo < hi) {
        const uint32_t pivot = at((lo + hi) / 2).rank;
        int i = hi;
        int j = lo;
        int k = lo;
        while (j <= i) {
            if (at(i).rank > pivot) {
                --i;
            } else {
                std::swap(at(j), at(i));
                if (at(j).rank >= pivot) {
                    ++j;
                } else {
                    std::swap(at(k), at(j));
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

    std::vector<TextKey> keys;
    keys.reserve(rows.size());
    for (const auto& row : rows) {
        const QString& value = (*row).*text;
        keys.push_back({collator.sortKey(foldCase ? value.toCaseFolded() : value), value});
    }
    const std::vector<uint32_t> ranks = RankKeys(keys);
    keys.clear();

    std::vector<SortEntry> entries;
    entries.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        entries.push_back({ranks[i], std::move(rows[i])});
    Sort(entries, 0, static_cast<int>(entries.size()) - 1);
    for (size_t i = 0; i < entries.size(); ++i)
        rows[i] = std::move(entries[i].row);
}
