// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/control_rules.h"

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
    case MC_MAXIMIZE: return 109;
    case MC_MINIMIZE: return 157;
    case MC_CLOSE: return 158;
    case MC_PLAYPAUSE: return 164;
    case MC_STOP: return 165;
    case MC_LOAD: return 166;
    case MC_SEEK: return 173;
    case MC_FULLSCREEN: return 159;
    case MC_FAST: return 167;
    case MC_SLOW: return 168;
    case MC_TOPMOST: return 161;
    case MC_HIDE: return 160;
    case MC_REPEAT: return 169;
    case MC_MUTE: return 170;
    case MC_VOLUME: return 171;
    case MC_OPTIONS: return 172;
    case MC_PLAYLIST: return 152;
    case MC_PREVIOUS: return 216;
    case MC_NEXT: return 217;
    case MC_SHUFFLE: return 215;
    default: return 0;
    }
}
