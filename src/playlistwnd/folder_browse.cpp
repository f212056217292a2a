// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistwnd/folder_browse.h"

#include "playlist/playlist.h"

#include "platform/prompt.h"

bool AddFolderFromBrowser(CPlaylist& playlist, QWidget* parent)
{
    const QString folder = CPrompt::Get().GetExistingDirectory(parent, QStringLiteral("Select folder"), QString());
    return !folder.isEmpty() && playlist.AddFolder(folder);
}
