// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist_sort.h"

#include "playlist/playlist_sort_keys.h"

#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// A key's bytes offset ... offset + 7 as one number that orders as they do,
// zero beyond the key's end.
uint64_t HeadAt(const uint8_t* key, uint32_t length, uint32_t offset)
{
    if (size_t(offset) + 8 <= length)
        return qFromBigEndian<quint64>(key + offset);
    uint64_t value = 0;
    for (uint32_t i = offset; i < offset + 8; ++i)
        value = (value << 8) | (i < length ? key[i] : 0);
    return value;
}

// One row during the sort, with what comparing it needs close at hand: the
// head, eight bytes of its key from the first byte in which the rows of its
// range may differ, decides most comparisons without reading the key block.
struct SortEntry {
    uint64_t head;
    const uint8_t* key;
    uint32_t keyLength;
    uint32_t row;  // index in the unsorted rows
};

// A key that every key of a range lies above or below; none at the ends.
struct Bound {
    const uint8_t* key = nullptr;
    uint32_t length = 0;
};

class CEntryOrder {
public:
    CEntryOrder(const std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text,
                const CSortKeys& keys)
        : m_rows(rows), m_text(text), m_keys(keys)
    {
    }

    // Orders two entries of a range whose keys all begin with the same
    // `offset` bytes and whose heads start there.
    int operator()(const SortEntry& a, const SortEntry& b, uint32_t offset) const
    {
        if (a.head != b.head)
            return a.head < b.head ? -1 : 1;
        if (a.row == b.row)
            return 0;
        // Equal heads: both keys agree up to offset + 8 or up to the end of
        // the shorter one.
        const uint32_t shorter = std::min(a.keyLength, b.keyLength);
        if (shorter > offset + 8) {
            const int rest = std::memcmp(a.key + offset + 8, b.key + offset + 8, shorter - offset - 8);
            if (rest != 0)
                return rest;
        }
        if (a.keyLength != b.keyLength)
            return a.keyLength < b.keyLength ? -1 : 1;
        return m_keys.CompareTied((*m_rows[a.row]).*m_text, (*m_rows[b.row]).*m_text);
    }

private:
    const std::vector<std::unique_ptr<CPlaylistRow>>& m_rows;
    QString CPlaylistRow::*m_text;
    const CSortKeys& m_keys;
};

// Every key of the range lo .. hi lies between its two bounds, so it begins
// with the bytes the bounds share. Once they share a few bytes more than the
// heads skip, the heads move on past them: long runs of equal bytes (a
// common folder, a common title) are then read once per row rather than at
// every comparison. Returns the heads' new offset.
uint32_t NarrowHeads(std::vector<SortEntry>& entries, int lo, int hi, uint32_t offset, Bound lower, Bound upper)
{
    if (lo >= hi || !lower.key || !upper.key)
        return offset;
    uint32_t shared = offset;
    const uint32_t shorter = std::min(lower.length, upper.length);
    while (shared < shorter && lower.key[shared] == upper.key[shared])
        ++shared;
    if (shared < offset + 4)
        return offset;
    for (int index = lo; index <= hi; ++index) {
        SortEntry& entry = entries[static_cast<size_t>(index)];
        entry.head = HeadAt(entry.key, entry.keyLength, shared);
    }
    return shared;
}

// The three-way quicksort over the inclusive range lo .. hi. Where rows with
// equal keys end up depends on its exact steps, so they are kept as they are;
// the heads only make the comparisons cheaper, never change their outcome.
void Sort(std::vector<SortEntry>& entries, const CEntryOrder& order, int lo, int hi, uint32_t offset, Bound lower,
          Bound upper)
{
    const auto at = [&](int index) -> SortEntry& { return entries[static_cast<size_t>(index)]; };
    offset = NarrowHeads(entries, lo, hi, offset, lower, upper);
    while (lo < hi) {
        const SortEntry pivot = at((lo + hi) / 2);
        int i = hi;
        int j = lo;
        int k = lo;
        while (j <= i) {
            if (order(at(i), pivot, offset) > 0) {
                --i;
            } else {
                std::swap(at(j), at(i));
                if (order(at(j), pivot, offset) >= 0) {
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
        const Bound middle{pivot.key, pivot.keyLength};
        if (k - lo < hi - i) {
            Sort(entries, order, lo, k - 1, offset, lower, middle);
            lo = i + 1;
            lower = middle;
        } else {
            Sort(entries, order, i + 1, hi, offset, middle, upper);
            hi = k - 1;
            upper = middle;
        }
        offset = NarrowHeads(entries, lo, hi, offset, lower, upper);
    }
}

}  // namespace

void SortRowsByText(std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text)
{
    if (rows.empty())
        return;
    const CSortKeys keys(rows, text);
    std::vector<SortEntry> entries;
    entries.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        entries.push_back(
            {HeadAt(keys.Bytes(i), keys.Length(i), 0), keys.Bytes(i), keys.Length(i), static_cast<uint32_t>(i)});
    Sort(entries, CEntryOrder(rows, text, keys), 0, static_cast<int>(entries.size()) - 1, 0, Bound(), Bound());
    std::vector<std::unique_ptr<CPlaylistRow>> sorted;
    sorted.reserve(rows.size());
    for (const SortEntry& entry : entries)
        sorted.push_back(std::move(rows[entry.row]));
    rows = std::move(sorted);
}
