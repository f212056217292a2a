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
// application object owns them all and fills these pointers as it creates
// them; a pointer stays null until its object exists.
struct CPlayerContext {
    CPlayerSettings* settings = nullptr;
    CParentWnd* owner = nullptr;
    CMainFrame* mainFrame = nullptr;
    CPlaylist* playlist = nullptr;
    CPlaylistFrame* playlistFrame = nullptr;
    CTrayIcon* tray = nullptr;
    CMediaEngine* engine = nullptr;
};
