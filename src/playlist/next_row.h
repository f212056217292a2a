// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "playlist/playlist_random.h"

class CPlaylist;

enum class PlaylistStep { Previous, Next, EndOfMedia };

// The row to make current after `step`, or -1 when nothing is to be played
// (Previous/Next leave playback alone, end of media stops). Shuffle picks any
// row, possibly the one that just played; at the last row end of media wraps
// to row 0 only with playlistRepeat. Never returns an index outside the list.
int ChooseNextRow(PlaylistStep step, int count, int current, bool shuffle, bool playlistRepeat,
                  CPlaylistRandom& random);

// Whether Previous or Next would make a row current, without drawing from
// the random source: false where the command does nothing.
bool CanStep(PlaylistStep step, int count, int current, bool shuffle);

// The same for the live playlist, with its row count, current row and
// random source.
int ChooseNextRow(CPlaylist& playlist, PlaylistStep step, bool shuffle, bool playlistRepeat);
