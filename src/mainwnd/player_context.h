// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CMainFrame;
class CMediaEngine;
class CParentWnd;
class CPlayerSettings;
class CPlaylist;
class CPlaylistFrame;
class CTrayIcon;

// The long-lived objects of the player as the windows see them. The
// application object owns them all.
struct CPlayerContext {
    CPlayerContext(CPlayerSettings& playerSettings, CPlaylist& livePlaylist)
        : settings(playerSettings), playlist(livePlaylist)
    {
    }

    // Created before any window and deleted after the last one.
    CPlayerSettings& settings;
    CPlaylist& playlist;

    // Created after the context is handed to the first windows (the engine
    // needs the main window as its host), each set as soon as its object
    // exists. Start-up sets all of them before any event is handled and the
    // exit clears each one just before deleting its object, so code run from
    // an event or a command uses them without testing. Only what assistive
    // technology can reach while the exit runs tests them.
    CParentWnd* owner = nullptr;
    CMainFrame* mainFrame = nullptr;
    CPlaylistFrame* playlistFrame = nullptr;
    CTrayIcon* tray = nullptr;
    CMediaEngine* engine = nullptr;
};
