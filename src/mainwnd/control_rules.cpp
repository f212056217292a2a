// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/control_rules.h"

#include "settings/string_ids.h"
#include "skin/skin_ids.h"

bool IsButtonControl(int id)
{
    return (id >= MC_MAXIMIZE && id <= MC_HIDE) || (id >= MC_REPEAT && id <= MC_VOLUME) ||
           (id >= MC_OPTIONS && id <= MC_SHUFFLE);
}

bool NeedsReleaseOnControl(int id)
{
    return (id >= MC_MAXIMIZE && id <= MC_HIDE) || id == MC_REPEAT || id == MC_MUTE;
}

bool RightClickOpensMenu(int id)
{
    const bool menuless = (id >= MC_MAXIMIZE && id <= MC_HIDE) || (id >= MC_REPEAT && id <= MC_VOLUME) ||
                          id == MC_OPTIONS || id == MC_PLAYLIST;
    return !menuless;
}

int ToolTipStringId(int id)
{
    switch (id) {
    case MC_MAXIMIZE: return IDS_TIP_MAXIMIZE;
    case MC_MINIMIZE: return IDS_TIP_MINIMIZE;
    case MC_CLOSE: return IDS_TIP_EXIT;
    case MC_PLAYPAUSE: return IDS_TIP_PLAY_PAUSE;
    case MC_STOP: return IDS_TIP_STOP;
    case MC_LOAD: return IDS_TIP_LOAD_UNLOAD;
    case MC_SEEK: return IDS_TIP_SEEK;
    case MC_FULLSCREEN: return IDS_TIP_FULL_SCREEN;
    case MC_FAST: return IDS_TIP_FAST;
    case MC_SLOW: return IDS_TIP_SLOW;
    case MC_TOPMOST: return IDS_TIP_ALWAYS_ON_TOP;
    case MC_HIDE: return IDS_TIP_HIDE;
    case MC_REPEAT: return IDS_TIP_REPEAT;
    case MC_MUTE: return IDS_TIP_MUTE;
    case MC_VOLUME: return IDS_TIP_VOLUME;
    case MC_OPTIONS: return IDS_TIP_OPTIONS;
    case MC_PLAYLIST: return IDS_TIP_OPEN_PLAYLIST;
    case MC_PREVIOUS: return IDS_MENU_PREVIOUS;
    case MC_NEXT: return IDS_MENU_NEXT;
    case MC_SHUFFLE: return IDS_TIP_SHUFFLE;
    default: return 0;
    }
}
