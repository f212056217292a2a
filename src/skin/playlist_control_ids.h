// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
