// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// File-system questions of the playlist, answered without ever changing the
// process's working directory.

// Whether `folder` is a directory the process may enter (search permission).
bool IsEnterableFolder(const QString& folder);

// Whether `path` names a directory entry of any kind (a dangling symbolic
// link counts: it is an entry of its folder).
bool EntryExists(const QString& path);

// Whether `path` is a directory, following symbolic links.
bool IsFolder(const QString& path);

// The path with every symbolic link resolved, as bytes; empty when it does not resolve.
QByteArray ResolvedPath(const QString& path);

// Calls visitFile(folder, name) for every entry below `folder` that is not
// a directory, depth first in the order the directory listing returns them:
// a sub-folder's entries come at the point where the sub-folder comes up.
// Symbolic links are never followed (a link to a directory counts as a
// file), hidden folders are entered, folders that cannot be read are
// skipped, and a folder already being scanned higher up (a bind-mount loop)
// is not entered again.
void ScanFolderTree(const QString& folder,
                    const std::function<void(const QString& folder, const QString& name)>& visitFile);
