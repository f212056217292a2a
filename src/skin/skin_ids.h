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

// Control ids of the playlist window. PC_TITLE names the title strip, which
// is redrawn but never hit.
enum PlaylistControlId {
    PC_NONE = 0,
    PC_CLOSE = 1000,
    PC_ADDFILES = 1002,
    PC_ADDFOLDER = 1003,
    PC_REMOVE = 1004,
    PC_CLEAR = 1005,
    PC_SORT = 1006,
    PC_SAVE = 1007,
    PC_LOAD = 1008,
    PC_MAXIMIZE = 1009,
    PC_REPEATLIST = 1010,
    PC_THUMB = 1011,
    PC_TITLE = 1012,
    PC_NAMEMODE = 1014,
    PC_MOVEUP = 1015,
    PC_MOVEDOWN = 1016,
};
