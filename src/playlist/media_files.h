// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Whether a file name (or path) ends in one of the player's media
// extensions. Only A-Z are folded, so "x.MPEG" is media and "x.mpeg.bak",
// "archive.tar.gz" and a name without a dot are not.
bool IsMediaFile(const QString& name);

// The name filters of the Add Files and Open dialogs: all media types from
// the one extension list, then narrower choices and all files.
QStringList MediaFileNameFilters();
// The filter of the playlist Save and Load dialogs.
extern const char* const kPlaylistFileFilter;

// Turns a "description|patterns|...||" filter into the name filters of a
// Qt file dialog ("description (*.a *.b)"); "*.*" becomes "*".
QStringList ToNameFilters(const QString& filter);
