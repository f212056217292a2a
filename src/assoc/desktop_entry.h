// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The desktop ID every association points at.
inline const QString kPlayerDesktopId = QStringLiteral("velmora.desktop");

// Makes sure kPlayerDesktopId is installed where the desktop looks for
// applications. When no folder of $XDG_DATA_HOME or $XDG_DATA_DIRS has it,
// writes a user-level one to $XDG_DATA_HOME/applications whose Exec starts
// `executable` with the file; an association to an entry installed nowhere
// would leave the user's files opening with nothing. False when it is
// missing and could not be written.
bool EnsurePlayerDesktopEntry(const QString& executable);

// The user-level entry's text: the shipped entry with its Exec line
// starting `executable` with "%f", the path quoted where the desktop-entry
// rules require it.
QByteArray UserDesktopEntryText(const QString& executable);
