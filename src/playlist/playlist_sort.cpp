#include "playlist_sort.h"

#include <QCollator>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>

namespace {

// The sort key of every row, computed once. Qt collates the C locale by
// code point, where upper and lower case would not sort together; there the
// key is the case-folded text, kept in one block so that comparing keys
// stays in cache. Elsewhere it is the collator's key. Equal keys are told
// apart by the texts' code points.
class CSortKeys {
public:
    CSortKeys(const std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text)
        : m_rows(rows), m_text(text)
    {
        const QCollator collator;
        if (collator.locale().language() == QLocale::C) {
            m_spans.reserve(rows.size());
            for (const auto& row : rows)
                AppendFolded((*row).*text);
        } else {
            m_collated.reserve(rows.size());
            for (const auto& row : rows)
                m_collated.push_back(collator.sortKey((*row).*text));
        }
    }

    int Compare(uint32_t a, uint32_t b) const
    {
        const int primary = m_collated.empty() ? Folded(a).compare(Folded(b))
                                               : m_collated[a].compare(m_collated[b]);
        return primary != 0 ? primary : QString::compare((*m_rows[a]).*m_text, (*m_rows[b]).*m_text);
    }

private:
    void AppendFolded(const QString& text)
    {
        const size_t start = m_folded.size();
        for (QChar c : text) {
            const char16_t unit = c.unicode();
            if (unit >= 0x80) {
                // Beyond ASCII folding may change the length; let Qt do it.
                m_folded.resize(start);
                const QString folded = text.toCaseFolded();
                m_folded.insert(m_folded.end(), folded.utf16(), folded.utf16() + folded.size());
                break;
            }
            m_folded.push_back(unit >= u'A' && unit <= u'Z' ? char16_t(unit + (u'a' - u'A')) : unit);
        }
        m_spans.emplace_back(start, m_folded.size() - start);
    }

    QStringView Folded(uint32_t index) const
    {
        const auto [start, length] = m_spans[index];
        return QStringView(m_folded.data() + start, static_cast<qsizetype>(length));
    }

    const std::vector<std::unique_ptr<CPlaylistRow>>& m_rows;
    QString CPlaylistRow::*m_text;
    std::vector<QCollatorSortKey> m_collated;
    std::vector<char16_t> m_folded;
    std::vector<std::pair<size_t, size_t>> m_spans;
};

// Each row's place in the order of the keys, equal keys sharing a rank.
// Comparing ranks decides exactly as comparing the keys would, at the cost
// of an integer comparison.
std::vector<uint32_t> RankRows(const CSortKeys& keys, size_t count)
{
    std::vector<uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [&](uint32_t a, uint32_t b) { return keys.Compare(a, b) < 0; });
    std::vector<uint32_t> ranks(count);
    uint32_t rank = 0;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && keys.Compare(order[i - 1], order[i]) != 0)
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
    const std::vector<uint32_t> ranks = RankRows(CSortKeys(rows, text), rows.size());
    std::vector<SortEntry> entries;
    entries.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        entries.push_back({ranks[i], std::move(rows[i])});
    Sort(entries, 0, static_cast<int>(entries.size()) - 1);
    for (size_t i = 0; i < entries.size(); ++i)
        rows[i] = std::move(entries[i].row);
}
