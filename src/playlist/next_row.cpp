// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/next_row.h"

#include "playlist/playlist.h"

int ChooseNextRow(PlaylistStep step, int count, int current, bool shuffle, bool playlistRepeat,
                  CPlaylistRandom& random)
{
    if (count <= 0)
        return -1;
    const auto randomRow = [&] { return random.Next() % count; };
    int candidate = -1;
    switch (step) {
    case PlaylistStep::Previous: candidate = shuffle ? randomRow() : current - 1; break;
    case PlaylistStep::Next: candidate = shuffle ? randomRow() : current + 1; break;
    case PlaylistStep::EndOfMedia:
        if (current >= count - 1)
            return playlistRepeat ? 0 : -1;
        candidate = shuffle ? randomRow() : current + 1;
        break;
    }
    // A stale current row (a list loaded since) can point past the end;
    // stepping from it must not produce another index outside the list.
    return candidate >= 0 && candidate < count ? candidate : -1;
}

bool CanStep(PlaylistStep step, int count, int current, bool shuffle)
{
    if (count <= 0 || step == PlaylistStep::EndOfMedia)
        return false;
    if (shuffle)
        return true;
    const int candidate = step == PlaylistStep::Next ? current + 1 : current - 1;
    return candidate >= 0 && candidate < count;
}

int ChooseNextRow(CPlaylist& playlist, PlaylistStep step, bool shuffle, bool playlistRepeat)
{
    return ChooseNextRow(step, playlist.GetCount(), playlist.GetCurrent(), shuffle, playlistRepeat,
                         playlist.m_random);
}
