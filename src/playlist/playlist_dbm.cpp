// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist_dbm.h"

#include "playlist/vml_archive.h"

void CPlaylistDBM::Serialize(CVmlOutArchive& archive) const
{
    // The whole file is built in one buffer of the exact size.
    size_t bytes = CVmlOutArchive::CountBytes(static_cast<uint32_t>(m_rows.size()));
    if (!m_rows.empty())
        bytes += CVmlOutArchive::RowTagBytes(true) + (m_rows.size() - 1) * CVmlOutArchive::RowTagBytes(false);
    for (const auto& row : m_rows) {
        for (const QString* text : {&row->m_strFileName, &row->m_strFolder, &row->m_strPath, &row->m_strDuration})
            bytes += CVmlOutArchive::StringBytes(*text);
    }
    archive.Reserve(bytes);
    archive.WriteCount(static_cast<uint32_t>(m_rows.size()));
    for (const auto& row : m_rows) {
        archive.WriteRowTag();
        row->Serialize(archive);
    }
}

void CPlaylistDBM::Serialize(CVmlInArchive& archive)
{
    const uint32_t count = archive.ReadCount();
    if (count > archive.Remaining() / kMinRowBytes)
        throw CVmlException{VmlError::EndOfFile};

    std::vector<std::unique_ptr<CPlaylistRow>> rows;
    rows.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        archive.ReadRowTag();
        auto row = std::make_unique<CPlaylistRow>();
        row->Serialize(archive);
        // Rows of one folder usually follow each other, and rows never played
        // share their length text; let neighbours share equal texts instead
        // of holding a copy each.
        if (!rows.empty()) {
            const CPlaylistRow& previous = *rows.back();
            if (previous.m_strFolder == row->m_strFolder)
                row->m_strFolder = previous.m_strFolder;
            if (previous.m_strDuration == row->m_strDuration)
                row->m_strDuration = previous.m_strDuration;
        }
        rows.push_back(std::move(row));
    }
    m_rows = std::move(rows);
}
