// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Control ids of the main window, as the skin's hit test returns them.
// MC_TIME, MC_TITLE and MC_VOLUMEBAR name areas that are redrawn but never hit.
enum MainControlId {
    MC_NONE = 0,
    MC_MAXIMIZE = 1,
    MC_MINIMIZE = 2,
    MC_CLOSE = 3,
    MC_PLAYPAUSE = 4,
    MC_STOP = 5,
    MC_LOAD = 6,
    MC_SEEK = 7,
    MC_FULLSCREEN = 8,
    MC_FAST = 9,
    MC_SLOW = 10,
    MC_TOPMOST = 11,
    MC_HIDE = 12,
    MC_REPEAT = 14,
    MC_MUTE = 15,
    MC_VOLUME = 16,
    MC_TIME = 17,
    MC_TITLE = 18,
    MC_VOLUMEBAR = 19,
    MC_OPTIONS = 20,
    MC_PLAYLIST = 21,
    MC_PREVIOUS = 22,
    MC_NEXT = 23,
    MC_SHUFFLE = 24,
};

// The playlist window's control ids live with the window that acts on them.
#include "skin/playlist_control_ids.h"
