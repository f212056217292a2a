// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class CVmlInArchive;
class CVmlOutArchive;

// One entry of the playlist: a media file and the length text the engine
// gave it the last time it opened the file.
class CPlaylistRow {
public:
    // Makes the row for `name`, an entry of `folder` as the directory listing
    // reports it. The path is folder + "/" + name; a file in "/" therefore
    // gets "//name".
    void InitFromFoundName(const QString& folder, const QString& name);
    void SetDuration(const QString& duration) { m_strDuration = duration; }

    // The four texts in the order the playlist file stores them.
    void Serialize(CVmlOutArchive& archive) const;
    void Serialize(CVmlInArchive& archive);

    QString m_strFileName;
    QString m_strFolder;
    QString m_strPath;
    QString m_strDuration = QStringLiteral("00:00");
};
