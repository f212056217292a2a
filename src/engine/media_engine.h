// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/graph/media_graph.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class CDisplayPower;
class CEngineHost;
class CPlayerSettings;
class CPlaylist;
class CTrayIcon;

// State bits of CMediaEngine::m_nFlags.
enum EngineFlag : std::uint32_t {
    EF_READY = 0x001,
    EF_NOVIDEO = 0x002,
    EF_FULLSCREEN = 0x004,
    EF_PLAYING = 0x008,
    EF_PAUSED = 0x010,
    EF_STOPPED = 0x020,
    EF_LOADED = 0x040,
    EF_MUTED = 0x080,
    EF_NOAUDIO = 0x100,
    EF_REPEAT = 0x200,
};

// Dialog results of ShowOpenDialog.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// The one media engine: it builds a graph for the playlist's current row,
// gives its video to the main window and carries the playback state the
// windows, menus, tray icon and skin read.
class CMediaEngine {
public:
    CMediaEngine(CEngineHost& host, CPlaylist& playlist, CPlayerSettings& settings, CMediaGraphFactory& factory,
                 CDisplayPower& displayPower);
    virtual ~CMediaEngine();

    CMediaEngine(const CMediaEngine&) = delete;
    CMediaEngine& operator=(const CMediaEngine&) = delete;

    virtual bool IsLoaded() const { return m_nFlags & EF_LOADED; }
    virtual bool IsPlaying() const { return m_nFlags & EF_PLAYING; }
    virtual bool IsPaused() const { return m_nFlags & EF_PAUSED; }
    virtual bool IsStopped() const { return m_nFlags & EF_STOPPED; }
    virtual bool IsMuted() const { return m_nFlags & EF_MUTED; }
    virtual bool IsRepeat() const { return m_nFlags & EF_REPEAT; }
    virtual bool HasVideo() const { return !(m_nFlags & EF_NOVIDEO); }
    virtual bool CanSeek() const { return m_pGraph != nullptr; }
    virtual bool IsFullScreen() const { return m_nFlags & EF_FULLSCREEN; }
    virtual bool IsOpenDialogActive() const { return m_bDialogActive; }
    virtual bool HasAudio() const { return !(m_nFlags & EF_NOAUDIO); }
    virtual bool IsRateChanged() const;
    virtual HRESULT FitVideoWindow();
    virtual int ShowOpenDialog();
    virtual int ReportSubtitleUnavailable();
    // Builds the graph for row `row` of the playlist and makes that row
    // current; a row outside the list changes nothing. Does not play.
    virtual void Open(int row);
    virtual HRESULT Seek(int numerator, int denominator);
    virtual bool Play();
    virtual bool Pause();
    virtual bool Stop();
    virtual void ToggleMute();
    virtual void ToggleFullScreen();
    virtual void SetTrayIcon(CTrayIcon* tray) { m_pTray = tray; }
    virtual void UpdateTimeText();
    virtual void Close();
    virtual void StepZoom(bool larger);
    virtual void SetRate(double rate);
    virtual void ChangeRate(double delta);
    virtual void ToggleRepeat() { m_nFlags ^= EF_REPEAT; }
    virtual int GetPositionPercent();
    virtual void StepVolume(bool louder);
    virtual int GetPositionScaled(int scale);
    // The position in media time, 0 without a clip.
    virtual LONGLONG GetCurrentPosition();
    virtual void HandleGraphEvents();
    virtual void GetVideoRect(QRect* out);
    virtual int GetVolumeLevel(unsigned range) const;
    virtual void SetVolume(int volume) { m_nVolume = volume; }
    virtual void SetVolumeFromBar(int offset, int range);
    virtual void SetMutedFlag() { m_nFlags |= EF_MUTED; }
    virtual int GetVolume() const { return m_nVolume; }
    virtual void SetZoom(int numerator, int denominator);

    // Subtitles and the choice of streams.
    // Asks for a subtitle file, starting in the clip's folder, and shows it.
    virtual void ShowSubtitleDialog();
    // Shows the subtitle file over the clip without restarting it. A file
    // that cannot be shown is reported in a message box unless `quiet`.
    virtual bool LoadSubtitle(const QString& path, bool quiet);
    virtual void UnloadSubtitle();
    virtual bool HasSubtitleFile() const { return !m_strSubtitlePath.isEmpty(); }
    // The clip's audio or subtitle streams named for the menus: the
    // language, the title, else "Track N"; the subtitle file by its name.
    virtual QStringList TrackNames(StreamKind kind);
    // The stream playing; -1 for none (subtitles off).
    virtual int CurrentTrack(StreamKind kind);
    // Switches to a stream (-1: subtitles off) and remembers its language
    // for the next clip.
    virtual void SelectTrack(StreamKind kind, int index);

    // The one way to play a row: closes the clip, opens `row` and plays it,
    // then goes back to full screen when `fullScreen` (the close leaves it).
    // Returns whether the row opened.
    bool PlayRow(int row, bool fullScreen);
    // The same, keeping full screen as it is now.
    bool PlayRow(int row) { return PlayRow(row, IsFullScreen()); }

    // Tells the user that a graph call failed (negative hr only) and forgets
    // the playlist's current row.
    void ReportGraphError(HRESULT hr);

    // The open dialog's filters, in Qt's "Text (patterns)" form.
    static QStringList OpenDialogFilters();
    // Media time as HH:MM:SS (hours may take more digits).
    static QString FormatTime(LONGLONG time);

    std::uint32_t Flags() const { return m_nFlags; }
    int Zoom() const { return m_nZoom; }
    double Rate() const { return m_dRate; }
    LONGLONG Duration() const { return m_llDuration; }
    const QString& DurationText() const { return m_szDuration; }

    // The full path of the clip opened last.
    QString m_pszPath;
    // The path's last component, shown by the skin while a clip is loaded.
    QString m_pszFileName;
    // Position and duration ("00:01:05|00:03:40"), or "00:00".
    QString m_szTime;

private:
    void ShowPlayState(const QString& prefix, int maxPath, int keptTail, int iconId);
    void SwitchDisplayPowerOff();
    void RestoreDisplayPower();
    bool CanSetVolume();
    void ApplyVolume(long level, bool unmute);
    void AdvanceAfterEndOfClip(bool fullScreen);
    bool RefreshDuration();
    void SetDurationTexts();
    bool LetterBox(long width, long height, QRect* out);
    void ApplyTrackChoices();
    void ReportSubtitleError(int textId, bool quiet);

    CEngineHost& m_host;
    CPlaylist& m_playlist;
    CPlayerSettings& m_settings;
    CMediaGraphFactory& m_factory;
    CDisplayPower& m_displayPower;

    std::unique_ptr<CMediaGraph> m_pGraph;
    CTrayIcon* m_pTray = nullptr;
    LONGLONG m_llDuration = 0;
    QString m_szDuration;
    int m_nVolume = 0;
    double m_dRate = 1.0;
    int m_nZoom = 5;
    bool m_bDialogActive = false;
    bool m_bScreenSaverOff = false;
    bool m_bPowerSaverOff = false;
    std::uint32_t m_nFlags = EF_NOVIDEO;
    bool m_bPlaylistWasVisible = false;
    // Where the open dialog starts: the folder of the last file chosen in it.
    QString m_strOpenFolder;
    // The subtitle file shown over the clip; empty for none.
    QString m_strSubtitlePath;
};
