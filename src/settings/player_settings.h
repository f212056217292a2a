// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/hot_keys.h"

#include <QList>
#include <QRect>
#include <QString>

// A window rectangle as the profile keeps it: right and bottom exclusive.
struct CWindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    static CWindowRect FromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    bool operator==(const CWindowRect&) const = default;

    // The rectangle made to fit the screen area it overlaps most (the first
    // area when it overlaps none): no larger than that area and moved inside
    // it. Stored rectangles go through here before a window takes them. No
    // areas leave it as it is.
    CWindowRect FittedInto(const QList<QRect>& areas) const;
};

enum ShutdownMode {
    SHUTDOWN_NONE = 0,
    SHUTDOWN_CLIP_END = 1,
    SHUTDOWN_PLAYLIST_END = 2,
    SHUTDOWN_MINUTES = 3,
};

// Every persistent option of the player. Other parts read and write the
// fields directly; Load and Save move them to and from the profile, an INI
// file with the group [Setting].
class CPlayerSettings {
public:
    // profilePath: the INI file; empty for $XDG_CONFIG_HOME/Olvistra/Velmora.ini.
    // executablePath: the program the autostart entry must start; empty for
    // this process's executable.
    explicit CPlayerSettings(QString profilePath = {}, QString executablePath = {});
    ~CPlayerSettings();  // saves

    CPlayerSettings(const CPlayerSettings&) = delete;
    CPlayerSettings& operator=(const CPlayerSettings&) = delete;

    // $XDG_CONFIG_HOME/Olvistra/Velmora.ini, the profile's usual place.
    static QString DefaultProfilePath();

    void Load();
    void Save();
    // Makes languageID the interface language.
    void ApplyLanguage() const;


    int TopMost = 0;
    int languageID = 0;
    int StartMinimizeToTray = 0;
    int DisableScreenSaver = 1;
    int DisablePowerSaver = 1;
    int AutoSizeWin = 0;
    // A subtitle file beside a clip is loaded with it.
    int AutoLoadSubtitles = 1;
    // ISO 639 codes of the audio and subtitle languages chosen last, preferred
    // when the next clip offers them; empty: the clip's own default.
    QString AudioLanguage;
    QString SubtitleLanguage;
    bool m_bRunAtStartup = false;
    int Mute = 0;
    int Volume = 0;
    CWindowRect m_rcMain{100, 100, 503, 380};
    CWindowRect m_rcPlaylist{502, 100, 820, 200};
    int Skin = 0;
    // The folder name of the chosen skin of the user's own ("UserSkin"),
    // empty for a built-in one. Stored beside "Skin", which then holds 0, so
    // a program that knows only "Skin" shows Metal Red.
    QString UserSkin;
    // The built-in bitmap skin the Switch Skin key returns to from the plain
    // look (0 or 1), taken from "Skin" at load.
    int m_nBitmapSkin = 0;
    int m_nShutdownMode = SHUTDOWN_NONE;
    bool m_bSkinSwitchFlag = false;
    HotKeyTable m_hotKeys = DefaultHotKeys();
    int Repeat = 0;
    int PlaylistRepeat = 0;
    int Shuffle = 0;
    int ShowFP = 1;
    int PLShow = 0;
    int Docked = 1;
    int DockedSide = 10;
    int Distance = 0;

private:
    bool ReadRunAtStartup() const;
    bool WriteRunAtStartup() const;

    QString m_strProfilePath;
    QString m_strExecutablePath;
    bool m_bProfileUnreadable = false;
};
