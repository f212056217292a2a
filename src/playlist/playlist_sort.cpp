// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist_sort.h"

#include <QLocale>
#include <QtEndian>

#include <unicode/ucol.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Every row's sort key as bytes, all in one block, so that comparing two
// rows is a memcmp of their keys. Elsewhere than in the C locale the key is
// ICU's collation key for the user interface's locale, as QCollator builds
// its collator: case weighs only where the texts are otherwise equal. In the
// C locale it is the case-folded text in big-endian UTF-16, which orders as
// its code units do. Equal keys are told apart by the texts' code points.
class CSortKeys {
public:
    CSortKeys(const std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text)
    {
        m_spans.reserve(rows.size());
        const QLocale locale;
        if (locale.language() == QLocale::C) {
            for (const auto& row : rows)
                AppendFolded((*row).*text);
            return;
        }
        UErrorCode status = U_ZERO_ERROR;
        const QByteArray name = locale.bcp47Name().replace(QLatin1Char('-'), QLatin1Char('_')).toLatin1();
        UCollator* collator = ucol_open(name.constData(), &status);
        ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_TERTIARY, &status);
        ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
        ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
        if (U_FAILURE(status)) {
            // No collation data for the locale, not even the root's: order as
            // the C locale does rather than not at all.
            ucol_close(collator);
            for (const auto& row : rows)
                AppendFolded((*row).*text);
            return;
        }
        for (const auto& row : rows)
            AppendCollated(collator, (*row).*text);
        ucol_close(collator);
    }

    const uint8_t* Bytes(size_t index) const { return m_bytes.data() + m_spans[index].first; }
    uint32_t Length(size_t index) const { return m_spans[index].second; }

private:
    void AppendCollated(const UCollator* collator, const QString& text)
    {
        const auto* units = reinterpret_cast<const UChar*>(text.utf16());
        const auto length = static_cast<int32_t>(text.size());
        const size_t start = m_nUsed;
        // Latin text takes a little over two bytes a character; a longer key
        // is asked for again with the room it needs.
        size_t room = std::min<size_t>(size_t(length) * 3 + 16, INT32_MAX);
        for (;;) {
            Reserve(start + room);
            const int32_t needed = ucol_getSortKey(collator, units, length, m_bytes.data() + start,
                                                   static_cast<int32_t>(room));
            if (size_t(needed) <= room) {
                m_nUsed = start + size_t(needed);
                break;
            }
            room = size_t(needed);
        }
        m_spans.emplace_back(start, static_cast<uint32_t>(m_nUsed - start));
    }

    void AppendFolded(const QString& text)
    {
        QString folded;
        const QChar* units = text.constData();
        qsizetype length = text.size();
        if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x80; })) {
            // Beyond ASCII folding may change the length; let Qt do it.
            folded = text.toCaseFolded();
            units = folded.constData();
            length = folded.size();
        }
        const size_t start = m_nUsed;
        Reserve(start + size_t(length) * 2);
        uint8_t* out = m_bytes.data() + start;
        for (qsizetype i = 0; i < length; ++i) {
            char16_t unit = units[i].unicode();
            if (unit >= u'A' && unit <= u'Z')
                unit += u'a' - u'A';
            *out++ = static_cast<uint8_t>(unit >> 8);
            *out++ = static_cast<uint8_t>(unit);
        }
        m_nUsed = start + size_t(length) * 2;
        m_spans.emplace_back(start, static_cast<uint32_t>(m_nUsed - start));
    }

    void Reserve(size_t size)
    {
        if (size > m_bytes.size())
            m_bytes.resize(std::max(size, m_bytes.size() * 2));
    }

    std::vector<uint8_t> m_bytes;
    size_t m_nUsed = 0;
    std::vector<std::pair<size_t, uint32_t>> m_spans;  // start and length in m_bytes
};

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
    CEntryOrder(const std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text)
        : m_rows(rows), m_text(text)
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
        return QString::compare((*m_rows[a.row]).*m_text, (*m_rows[b.row]).*m_text);
    }

private:
    const std::vector<std::unique_ptr<CPlaylistRow>>& m_rows;
    QString CPlaylistRow::*m_text;
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
    Sort(entries, CEntryOrder(rows, text), 0, static_cast<int>(entries.size()) - 1, 0, Bound(), Bound());
    std::vector<std::unique_ptr<CPlaylistRow>> sorted;
    sorted.reserve(rows.size());
    for (const SortEntry& entry : entries)
        sorted.push_back(std::move(rows[entry.row]));
    rows = std::move(sorted);
}
