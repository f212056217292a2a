// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The state the skin draws, as the windows see it. The main window answers
// from the media engine, the settings and the playlist; the skin only reads,
// except for the scroll thumb offset, which it hands back to the playlist
// window whenever it lays the thumb out.
class CSkinSource {
public:
    virtual ~CSkinSource() = default;

    // Media engine.
    virtual bool IsLoaded() const = 0;
    virtual bool IsPlaying() const = 0;
    virtual bool IsPaused() const = 0;
    virtual bool IsMuted() const = 0;
    virtual bool IsRepeat() const = 0;
    virtual bool IsRateChanged() const = 0;
    // Played part of the clip in pixels out of `scale`.
    virtual int GetPositionScaled(int scale) const = 0;
    // Volume on a scale of 0 (loudest) to `range` (quietest).
    virtual int GetVolumeLevel(int range) const = 0;
    // File name of the current clip; the title while a clip is loaded.
    virtual QString ClipFileName() const = 0;
    // The engine's position text.
    virtual QString TimeText() const = 0;

    // Settings.
    virtual bool TopMost() const = 0;
    virtual bool Shuffle() const = 0;
    virtual bool PlaylistRepeat() const = 0;
    virtual bool ShowFP() const = 0;

    // Windows.
    virtual bool IsMainMaximized() const = 0;
    virtual bool IsPlaylistMaximized() const = 0;

    // Playlist.
    virtual int PlaylistCount() const = 0;
    virtual int PlaylistTop() const = 0;      // first row shown in the list
    virtual int PlaylistCurrent() const = 0;  // -1 for none
    virtual QString PlaylistStatusText() const = 0;

    // Receives the thumb offset each time the thumb rectangle is computed.
    virtual void StoreThumbOffset(int offset) = 0;
};
