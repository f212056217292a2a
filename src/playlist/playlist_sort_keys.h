// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "playlist/playlist_row.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

struct UCollator;
struct CKeyShortcuts;
class CFolderKeyCache;

// Every row's sort key for one of its texts, as bytes in one block, so that
// comparing two rows is a memcmp of their keys; a shorter key that is a
// prefix of a longer one sorts first. Elsewhere than in the C locale the key
// is ICU's primary key (letters only, not accents nor case) under the user
// interface's locale, and rows whose keys tie are told apart by
// CompareTied. In the C locale it is the case-folded text in big-endian
// UTF-16, which orders as its code units do.
class CSortKeys {
public:
    CSortKeys(const std::vector<std::unique_ptr<CPlaylistRow>>& rows, QString CPlaylistRow::*text);
    ~CSortKeys();

    const uint8_t* Bytes(size_t index) const { return m_bytes.data() + m_spans[index].first; }
    uint32_t Length(size_t index) const { return m_spans[index].second; }

    // Orders two texts whose keys are equal: by the locale's full collation,
    // where case weighs only between otherwise equal texts, then by code
    // point.
    int CompareTied(const QString& a, const QString& b) const;

    struct CollatorCloser {
        void operator()(UCollator* collator) const;
    };
    using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

private:
    void AppendFolded(const QString& text);
    void AppendCollated(QStringView text);
    void AppendPath(const QString& path);
    void AppendKeyBytes(QStringView text);
    bool AppendLatin1Key(QStringView text);
    void Reserve(size_t size);

    CollatorPtr m_full;
    CollatorPtr m_keys;
    CollatorPtr m_latin1Keys;  // for texts of Latin-1 alone, which need no normalizing
    std::shared_ptr<const CKeyShortcuts> m_shortcuts;
    std::vector<uint8_t> m_bytes;
    size_t m_nUsed = 0;
    std::vector<std::pair<size_t, uint32_t>> m_spans;  // start and length in m_bytes
    std::unique_ptr<CFolderKeyCache> m_folderKeys;
};
