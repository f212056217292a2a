// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_browse.h"

#include "playlist.h"

#include <prompt.h>

bool AddFolderFromBrowser(CPlaylist& playlist, QWidget* parent)
{
    const QString folder = CPrompt::Get().GetExistingDirectory(parent, QStringLiteral("Select folder"), QString());
    return !folder.isEmpty() && playlist.AddFolder(folder);
}
