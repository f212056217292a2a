// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/skin_state_fill.h"

#include "engine/media_engine.h"
#include "mainwnd/player_context.h"
#include "platform/path_codec.h"
#include "playlist/playlist.h"
#include "playlistwnd/playlist_frame.h"
#include "settings/player_settings.h"
#include "skin/skin_state_record.h"

#include <algorithm>

void FillSkinState(const CPlayerContext& context, bool mainMaximized, CSkinStateRecord& state)
{
    // Assistive technology may ask for the window's texts while the exit
    // deletes the engine and the playlist window.
    CMediaEngine* engine = context.engine;
    state.m_bLoaded = engine && engine->IsLoaded();
    state.m_bPlaying = engine && engine->IsPlaying();
    state.m_bPaused = engine && engine->IsPaused();
    state.m_bMuted = engine && engine->IsMuted();
    state.m_bRepeat = engine && engine->IsRepeat();
    state.m_bRateChanged = engine && engine->IsRateChanged();
    // Only a loaded clip has a position to ask the media for.
    state.m_llPosition = state.m_bLoaded ? engine->GetCurrentPosition() : 0;
    state.m_llDuration = engine ? engine->Duration() : 0;
    state.m_nVolume = engine ? engine->GetVolume() : 0;
    state.m_strClipFileName = engine ? DisplayPath(engine->m_pszFileName) : QString();
    state.m_strTime = engine ? engine->m_szTime : QStringLiteral("00:00");

    const CPlayerSettings& settings = context.settings;
    state.m_bTopMost = settings.TopMost != 0;
    state.m_bShuffle = settings.Shuffle != 0;
    state.m_bPlaylistRepeat = settings.PlaylistRepeat != 0;
    state.m_bShowFP = settings.ShowFP != 0;

    state.m_bMainMaximized = mainMaximized;
    state.m_bPlaylistMaximized = context.playlistFrame && context.playlistFrame->IsMaximized();

    const CPlaylist& playlist = context.playlist;
    state.m_nCount = playlist.GetCount();
    state.m_nTop = std::max(playlist.m_nTop, 0);
    state.m_nCurrent = playlist.GetCurrent();
    state.m_strStatus = playlist.m_strStatus;
}
