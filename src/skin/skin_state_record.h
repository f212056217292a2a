// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The state the skin draws, as plain values. The main window fills it from
// the media engine, the settings, the playlist and both windows before each
// paint and before each layout question that depends on state (the volume
// knob, the scroll thumb); previews, the art tool, tests and benchmarks fill
// it by hand. The skin only reads it, except for the scroll thumb offset,
// which it writes back whenever it lays the thumb out.
struct CSkinStateRecord {
    // Played part of the clip in pixels out of `scale`, as the engine
    // reckons it: fraction times scale, truncated.
    int GetPositionScaled(int scale) const;
    // Volume on a scale of 0 (loudest) to `range` (quietest), as the engine
    // reckons it: -(volume / (4000 / range)).
    int GetVolumeLevel(int range) const;

    // Media engine.
    bool m_bLoaded = false;
    bool m_bPlaying = false;
    bool m_bPaused = false;
    bool m_bMuted = false;
    bool m_bRepeat = false;
    bool m_bRateChanged = false;
    long long m_llPosition = 0;  // 100-ns units
    long long m_llDuration = 0;
    int m_nVolume = 0;  // hundredths of a decibel, -4000 ... 0
    // File name of the current clip; the title while a clip is loaded.
    QString m_strClipFileName;
    // The engine's position text.
    QString m_strTime;

    // Settings.
    bool m_bTopMost = false;
    bool m_bShuffle = false;
    bool m_bPlaylistRepeat = false;
    bool m_bShowFP = true;

    // Windows.
    bool m_bMainMaximized = false;
    bool m_bPlaylistMaximized = false;

    // Playlist.
    int m_nCount = 0;
    int m_nTop = 0;       // first row shown in the list
    int m_nCurrent = -1;  // -1 for none
    QString m_strStatus;

    int m_nThumbOffset = 0;  // written by the skin: the thumb offset it laid out last
};
