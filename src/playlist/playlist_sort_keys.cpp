// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist_sort_keys.h"

#include <QLocale>

#include <unicode/ucol.h>
#include <unicode/uset.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <initializer_list>

// What keys under one locale may take short cuts on, learnt from ICU once
// per locale. A primary key is the characters' weights one after another; a
// weight depends on its neighbours only through contractions, prefix rules
// and ICU's compression of equal lead bytes. For a Latin-1 character free of
// all three, its key is a fixed string of bytes, so a text made of such
// characters has the key their strings make in turn.
constexpr char16_t kLatin1End = 0x100;

struct CKeyShortcuts {
    QByteArray locale;
    std::array<std::array<uint8_t, 4>, kLatin1End> latin1{};
    std::array<uint8_t, kLatin1End> latin1Length{};  // 0: ask ICU for texts holding it
    // The key of folder + "/" + name is the key of folder + "/" followed by
    // the key of name.
    bool slashSplits = false;
};

// The keys of the folders met so far, found by the folder's text: open
// addressing with each entry's hash kept in its slot, so that a probe reads
// a stored text only when the hashes agree. Texts and keys are kept in two
// blocks of their own, which stay small and close next to the rows.
class CFolderKeyCache {
public:
    struct Key {
        const uint8_t* bytes;
        size_t length;
    };

    // The key stored for `folder`, or a null one.
    Key Find(QStringView folder, size_t hash) const
    {
        if (m_slots.empty())
            return {nullptr, 0};
        for (size_t i = hash & (m_slots.size() - 1);; i = (i + 1) & (m_slots.size() - 1)) {
            const Slot& slot = m_slots[i];
            if (!slot.used)
                return {nullptr, 0};
            if (slot.hash == hash && slot.textLength == size_t(folder.size()) &&
                std::equal(folder.begin(), folder.end(), m_text.begin() + qsizetype(slot.textStart)))
                return {m_keys.data() + slot.keyStart, slot.keyLength};
        }
    }

    void Add(QStringView folder, size_t hash, const uint8_t* key, size_t keyLength)
    {
        if ((m_nUsed + 1) * 2 > m_slots.size())
            Grow();
        Place({hash, m_text.size(), size_t(folder.size()), m_keys.size(), keyLength, true});
        m_text.insert(m_text.end(), folder.begin(), folder.end());
        m_keys.insert(m_keys.end(), key, key + keyLength);
        ++m_nUsed;
    }

private:
    struct Slot {
        size_t hash;
        size_t textStart;
        size_t textLength;
        size_t keyStart;
        size_t keyLength;
        bool used;
    };

    void Place(const Slot& slot)
    {
        size_t i = slot.hash & (m_slots.size() - 1);
        while (m_slots[i].used)
            i = (i + 1) & (m_slots.size() - 1);
        m_slots[i] = slot;
    }

    void Grow()
    {
        std::vector<Slot> old(std::max<size_t>(m_slots.size() * 2, 1024));
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.used)
                Place(slot);
        }
    }

    std::vector<Slot> m_slots;  // a power of two of them
    std::vector<QChar> m_text;
    std::vector<uint8_t> m_keys;
    size_t m_nUsed = 0;
};

namespace {

// The user interface locale's collator, set up as QCollator sets up its own:
// case weighs only where the texts are otherwise equal. With `primary` it
// weighs letters only; `normalize` off is for text that needs no canonical
// reordering. Null when ICU has no data for the locale.
CSortKeys::CollatorPtr OpenCollator(const QByteArray& locale, bool primary, bool normalize)
{
    UErrorCode status = U_ZERO_ERROR;
    CSortKeys::CollatorPtr collator(ucol_open(locale.constData(), &status));
    ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, normalize ? UCOL_ON : UCOL_OFF, &status);
    ucol_setAttribute(collator.get(), UCOL_STRENGTH, primary ? UCOL_PRIMARY : UCOL_TERTIARY, &status);
    if (primary)
        ucol_setAttribute(collator.get(), UCOL_CASE_LEVEL, UCOL_OFF, &status);
    ucol_setAttribute(collator.get(), UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(collator.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    if (U_FAILURE(status))
        return nullptr;
    return collator;
}

// Whether every code unit of text lies below `end`, a power of two.
bool AllBelow(QStringView text, char16_t end)
{
    char16_t any = 0;
    for (const QChar c : text)
        any |= c.unicode();
    return any < end;
}

// The collator's key of `text` without its closing zero byte, or -1 when
// it does not fit `size` bytes.
int32_t KeyOf(const UCollator* collator, std::initializer_list<UChar> text, uint8_t* key, int32_t size)
{
    const int32_t length = ucol_getSortKey(collator, text.begin(), int32_t(text.size()), key, size);
    return length <= size ? length - 1 : -1;
}

std::shared_ptr<const CKeyShortcuts> LearnShortcuts(const QByteArray& locale, const UCollator* collator)
{
    auto shortcuts = std::make_shared<CKeyShortcuts>();
    shortcuts->locale = locale;
    auto& latin1 = shortcuts->latin1;
    auto& length = shortcuts->latin1Length;
    for (char16_t c = 1; c < kLatin1End; ++c) {
        // Characters without a weight of their own (controls) let their
        // neighbours' weights meet, so texts holding them go to ICU.
        const int32_t bytes = KeyOf(collator, {c}, latin1[c].data(), int32_t(latin1[c].size()));
        length[c] = bytes > 0 ? uint8_t(bytes) : 0;
    }
    // A character whose lead byte ICU compresses changes the bytes of
    // whatever follows it; it shows in a pair of itself.
    std::array<bool, kLatin1End> joined{};
    const auto pairSplits = [&](char16_t a, char16_t b) {
        uint8_t pair[16];
        const int32_t bytes = KeyOf(collator, {a, b}, pair, sizeof pair);
        return bytes == length[a] + length[b] && std::memcmp(pair, latin1[a].data(), length[a]) == 0 &&
               std::memcmp(pair + length[a], latin1[b].data(), length[b]) == 0;
    };
    for (char16_t c = 1; c < kLatin1End; ++c)
        joined[c] = length[c] && !pairSplits(c, c);
    // Any other pair that does not give the two keys in turn is a
    // contraction (Czech "ch") or a prefix rule; without its second
    // character a text cannot hold it.
    for (char16_t a = 1; a < kLatin1End; ++a) {
        for (char16_t b = 1; b < kLatin1End; ++b) {
            if (length[a] && length[b] && !joined[a] && !joined[b] && !pairSplits(a, b))
                joined[b] = true;
        }
    }
    // The same for longer contractions and prefix rules spelled in Latin-1
    // alone: all of their characters but the first go. Any that holds a
    // slash stops keys splitting there.
    bool slashInside = false;
    UErrorCode status = U_ZERO_ERROR;
    USet* contractions = uset_openEmpty();
    ucol_getContractionsAndExpansions(collator, contractions, nullptr, true, &status);
    const int32_t items = U_SUCCESS(status) ? uset_getItemCount(contractions) : 0;
    for (int32_t i = 0; i < items; ++i) {
        UChar32 first = 0;
        UChar32 last = 0;
        UChar text[64];
        UErrorCode itemStatus = U_ZERO_ERROR;
        const int32_t units = uset_getItem(contractions, i, &first, &last, text, 64, &itemStatus);
        if (U_FAILURE(itemStatus) || units > 64) {
            status = U_BUFFER_OVERFLOW_ERROR;
            break;
        }
        const UChar* const begin = text;
        const UChar* const end = begin + std::max(units, 0);
        slashInside = slashInside || std::find(begin, end, u'/') != end;
        if (begin != end && std::all_of(begin, end, [](UChar unit) { return unit < kLatin1End; })) {
            for (const UChar* unit = begin + 1; unit != end; ++unit)
                joined[*unit] = true;
        }
    }
    uset_close(contractions);
    if (U_FAILURE(status)) {
        length.fill(0);
        return shortcuts;
    }
    for (char16_t c = 1; c < kLatin1End; ++c) {
        if (joined[c])
            length[c] = 0;
    }
    shortcuts->slashSplits = !slashInside && length[u'/'] != 0;
    return shortcuts;
}

// Asking ICU for its contractions takes milliseconds, so what was learnt is
// kept for the last locale asked about.
std::shared_ptr<const CKeyShortcuts> KeyShortcuts(const QByteArray& locale, const UCollator* collator)
{
    static std::shared_ptr<const CKeyShortcuts> s_last;
    if (!s_last || s_last->locale != locale)
        s_last = LearnShortcuts(locale, collator);
    return s_last;
}

}  // namespace

void CSortKeys::CollatorCloser::operator()(UCollator* collator) const { ucol_close(collator); }

CSortKeys::CSortKeys(const std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text)
{
    m_spans.reserve(rows.size());
    const QLocale locale;
    if (locale.language() != QLocale::C) {
        const QByteArray name = locale.bcp47Name().replace(QLatin1Char('-'), QLatin1Char('_')).toLatin1();
        m_full = OpenCollator(name, false, true);
        m_keys = OpenCollator(name, true, true);
        m_latin1Keys = OpenCollator(name, true, false);
        if (m_full && m_keys && m_latin1Keys)
            m_shortcuts = KeyShortcuts(name, m_latin1Keys.get());
    }
    if (!m_shortcuts) {
        // The C locale, or no collation data for the locale, not even the
        // root's: order as the C locale does rather than not at all.
        m_full.reset();
        for (const auto& row : rows)
            AppendFolded((*row).*text);
        return;
    }
    if (text == &CPlaylistRow::m_strPath && m_shortcuts->slashSplits) {
        m_folderKeys = std::make_unique<CFolderKeyCache>();
        for (const auto& row : rows)
            AppendPath((*row).*text);
        return;
    }
    for (const auto& row : rows)
        AppendCollated((*row).*text);
}

CSortKeys::~CSortKeys() = default;

int CSortKeys::CompareTied(const QString& a, const QString& b) const
{
    if (m_full && a != b) {
        const UCollationResult full = ucol_strcoll(m_full.get(), QStringView(a).utf16(), int32_t(a.size()),
                                                   QStringView(b).utf16(), int32_t(b.size()));
        if (full != UCOL_EQUAL)
            return full;
    }
    return QString::compare(a, b);
}

void CSortKeys::AppendFolded(const QString& text)
{
    QString folded;
    const QChar* units = text.constData();
    qsizetype length = text.size();
    if (!AllBelow(text, 0x80)) {
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

void CSortKeys::AppendCollated(QStringView text)
{
    const size_t start = m_nUsed;
    AppendKeyBytes(text);
    m_spans.emplace_back(start, static_cast<uint32_t>(m_nUsed - start));
}

// A path's key is the key of its folder with the closing slash, made once
// per folder, followed by the key of its name.
void CSortKeys::AppendPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) {
        AppendCollated(path);
        return;
    }
    const QStringView folder = QStringView(path).first(slash + 1);
    const size_t start = m_nUsed;
    const size_t hash = qHash(folder);
    const CFolderKeyCache::Key cached = m_folderKeys->Find(folder, hash);
    if (cached.bytes) {
        Reserve(start + cached.length);
        std::memcpy(m_bytes.data() + start, cached.bytes, cached.length);
        m_nUsed = start + cached.length;
    } else {
        AppendKeyBytes(folder);
        m_folderKeys->Add(folder, hash, m_bytes.data() + start, m_nUsed - start);
    }
    AppendKeyBytes(QStringView(path).sliced(slash + 1));
    m_spans.emplace_back(start, static_cast<uint32_t>(m_nUsed - start));
}

// Appends the key of `text` without its closing zero byte.
void CSortKeys::AppendKeyBytes(QStringView text)
{
    if (AppendLatin1Key(text))
        return;
    // Latin-1 needs no canonical reordering: its key comes quicker from the
    // collator that does not look for any.
    const UCollator* collator = AllBelow(text, kLatin1End) ? m_latin1Keys.get() : m_keys.get();
    const auto length = static_cast<int32_t>(text.size());
    const size_t start = m_nUsed;
    // Most scripts take one to three bytes a character; a longer key is
    // asked for again with the room it needs.
    size_t room = std::min<size_t>(size_t(length) * 3 + 16, INT32_MAX);
    for (;;) {
        Reserve(start + room);
        const int32_t needed = ucol_getSortKey(collator, text.utf16(), length, m_bytes.data() + start,
                                               static_cast<int32_t>(room));
        if (size_t(needed) <= room) {
            m_nUsed = start + size_t(std::max(needed - 1, 0));
            return;
        }
        room = size_t(needed);
    }
}

bool CSortKeys::AppendLatin1Key(QStringView text)
{
    const size_t start = m_nUsed;
    Reserve(start + size_t(text.size()) * 4 + 4);
    uint8_t* out = m_bytes.data() + start;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= kLatin1End || !m_shortcuts->latin1Length[unit])
            return false;
        std::memcpy(out, m_shortcuts->latin1[unit].data(), 4);
        out += m_shortcuts->latin1Length[unit];
    }
    m_nUsed = size_t(out - m_bytes.data());
    return true;
}

void CSortKeys::Reserve(size_t size)
{
    if (size > m_bytes.size())
        m_bytes.resize(std::max(size, m_bytes.size() * 2));
}
