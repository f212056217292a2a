// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist_row.h"

#include "playlist/vml_archive.h"

void CPlaylistRow::InitFromFoundName(const QString& folder, const QString& name)
{
    m_strFileName = name;
    m_strFolder = folder;
    m_strPath = folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

void CPlaylistRow::Serialize(CVmlOutArchive& archive) const
{
    archive.WriteString(m_strFileName);
    archive.WriteString(m_strFolder);
    archive.WriteString(m_strPath);
    archive.WriteString(m_strDuration);
}

void CPlaylistRow::Serialize(CVmlInArchive& archive)
{
    m_strFileName = archive.ReadString();
    m_strFolder = archive.ReadString();
    m_strPath = archive.ReadString();
    m_strDuration = archive.ReadString();
}
