// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/skin_source.h"

#include <QString>

// A CSkinSource that simply holds its answers: for previews, the art tool,
// tests and benchmarks, and for any window that prefers to fill a record.
class CSkinStateRecord : public CSkinSource {
public:
    bool IsLoaded() const override { return m_bLoaded; }
    bool IsPlaying() const override { return m_bPlaying; }
    bool IsPaused() const override { return m_bPaused; }
    bool IsMuted() const override { return m_bMuted; }
    bool IsRepeat() const override { return m_bRepeat; }
    bool IsRateChanged() const override { return m_bRateChanged; }
    // Same arithmetic as the engine: fraction times scale, truncated.
    int GetPositionScaled(int scale) const override;
    // Same arithmetic as the engine: -(volume / (4000 / range)).
    int GetVolumeLevel(int range) const override;
    QString ClipFileName() const override { return m_strClipFileName; }
    QString TimeText() const override { return m_strTime; }

    bool TopMost() const override { return m_bTopMost; }
    bool Shuffle() const override { return m_bShuffle; }
    bool PlaylistRepeat() const override { return m_bPlaylistRepeat; }
    bool ShowFP() const override { return m_bShowFP; }

    bool IsMainMaximized() const override { return m_bMainMaximized; }
    bool IsPlaylistMaximized() const override { return m_bPlaylistMaximized; }

    int PlaylistCount() const override { return m_nCount; }
    int PlaylistTop() const override { return m_nTop; }
    int PlaylistCurrent() const override { return m_nCurrent; }
    QString PlaylistStatusText() const override { return m_strStatus; }

    void StoreThumbOffset(int offset) override { m_nThumbOffset = offset; }

    bool m_bLoaded = false;
    bool m_bPlaying = false;
    bool m_bPaused = false;
    bool m_bMuted = false;
    bool m_bRepeat = false;
    bool m_bRateChanged = false;
    long long m_llPosition = 0;  // 100-ns units
    long long m_llDuration = 0;
    int m_nVolume = 0;  // hundredths of a decibel, -4000 ... 0
    QString m_strClipFileName;
    QString m_strTime;

    bool m_bTopMost = false;
    bool m_bShuffle = false;
    bool m_bPlaylistRepeat = false;
    bool m_bShowFP = true;

    bool m_bMainMaximized = false;
    bool m_bPlaylistMaximized = false;

    int m_nCount = 0;
    int m_nTop = 0;
    int m_nCurrent = -1;
    QString m_strStatus;

    int m_nThumbOffset = 0;  // last offset the skin stored
};
