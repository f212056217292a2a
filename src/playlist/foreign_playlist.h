// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "playlist/text_playlist.h"

#include <QString>

#include <optional>

// Playlist files of other players (.m3u, .m3u8, .pls, .xspf, .asx, .wpl,
// .b4s, .zpl). They are never rows of their own: where files enter the
// playlist, such a file is replaced by the files it lists.

// The most entries taken from one such file, whatever it claims to hold.
constexpr int kMaxForeignEntries = 100000;

// Whether the name ends in one of those extensions (case ignored).
bool IsForeignPlaylist(const QString& name);

// The local files the playlist lists, in its order, nested playlists among
// them (they are not read here); entries that are not local files (web
// streams, discs) are left out. None when the file cannot be read as a
// playlist.
std::optional<CForeignEntries> ReadForeignPlaylist(const QString& path);
