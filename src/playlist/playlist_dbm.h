// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "playlist/playlist_row.h"

#include <memory>
#include <vector>

// The part of the playlist that the .vml file stores: the rows, in order.
class CPlaylistDBM {
public:
    virtual ~CPlaylistDBM() = default;

    int GetCount() const { return static_cast<int>(m_rows.size()); }
    CPlaylistRow& GetRow(int index) { return *m_rows[static_cast<size_t>(index)]; }
    const CPlaylistRow& GetRow(int index) const { return *m_rows[static_cast<size_t>(index)]; }
    bool IsValidIndex(int index) const { return index >= 0 && index < GetCount(); }

    // Writes the count and every row. Reading replaces the rows only when the
    // whole list could be read; a malformed list throws CVmlException and leaves
    // the rows as they were.
    void Serialize(CVmlOutArchive& archive) const;
    void Serialize(CVmlInArchive& archive);

    std::vector<std::unique_ptr<CPlaylistRow>> m_rows;
};
