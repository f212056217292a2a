// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistwnd/pl_file_dialog.h"

#include "playlist/media_files.h"
#include "playlist/playlist.h"

#include <QFileInfo>

#include "platform/prompt.h"

bool CPLFileDialog::DoModal(QWidget* parent)
{
    const QStringList files = CPrompt::Get().GetOpenFileNames(parent, QString(), QString(),
                                                              MediaFileNameFilters());
    if (files.isEmpty())
        return false;
    if (m_bClearFirst)
        m_playlist.Clear();
    for (const QString& file : files)
        m_playlist.AddFoundFile(QFileInfo(file).absolutePath(), file);
    return true;
}
