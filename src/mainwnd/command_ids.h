// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The player's command identifiers. Menus, hot keys and skin buttons all end
// in CMainFrame::OnCommand with one of these.
enum CommandId {
    ID_RESET_WINDOW_POSITION = 32,
    ID_OPEN_CLIP = 32771,
    ID_CLOSE_CLIP = 32772,
    ID_SHOW_HIDE = 32773,
    ID_PLAY = 32774,
    ID_PAUSE = 32775,
    ID_STOP = 32776,
    ID_MUTE = 32777,
    ID_REPEAT = 32778,
    ID_RATE_NORMAL = 32779,
    ID_RATE_DOUBLE = 32780,
    ID_RATE_HALF = 32781,
    ID_RATE_INCREASE = 32782,
    ID_RATE_DECREASE = 32783,
    ID_ZOOM_NORMAL = 32784,
    ID_ZOOM_DOUBLE = 32785,
    ID_ZOOM_HALF = 32786,
    ID_FULL_SCREEN = 32787,
    ID_ALWAYS_ON_TOP = 32788,
    ID_EXIT = 32790,
    ID_ABOUT = 32791,
    ID_PREFERENCES = 32799,
    ID_SKIN_BLUE_CURVE = 32801,
    ID_SKIN_METAL_RED = 32803,
    ID_HOME_PAGE = 32818,
    ID_DONATE = 32819,
    ID_SUPPORT_FORUM = 32820,
    ID_FAQ = 32821,
    ID_SKIN_NONE = 32823,
    ID_SORT_BY_NAME = 32824,
    ID_SORT_BY_FOLDER = 32825,
    ID_PREVIOUS = 32826,
    ID_NEXT = 32827,
    ID_SHUTDOWN_NONE = 32829,
    ID_SHUTDOWN_CLIP_END = 32830,
    ID_SHUTDOWN_PLAYLIST_END = 32831,
    ID_SHUTDOWN_MINUTES = 32832,
    ID_LOAD_SUBTITLE = 32794,
    ID_UNLOAD_SUBTITLE = 32797,
    // The track menus: audio stream n is ID_AUDIO_TRACK_FIRST + n, subtitle
    // stream n ID_SUBTITLE_TRACK_FIRST + n, each range kMaxMenuTracks long.
    ID_AUDIO_TRACK_FIRST = 33000,
    ID_SUBTITLE_TRACK_FIRST = 33100,
    ID_SUBTITLE_OFF = 33199,
};

// The Skins menu's entries for the skins the user installed, one id each in
// the order the menu lists them.
constexpr int ID_USER_SKIN_FIRST = 33200;
constexpr int ID_USER_SKIN_LAST = 33299;

// Streams beyond this many are left out of a track menu.
constexpr int kMaxMenuTracks = 99;

// The main window's timer for the shutdown countdown.
constexpr int TIMER_SHUTDOWN = 3;
