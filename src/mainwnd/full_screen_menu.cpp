// SPDX-License-Identifier: GPL-3.0-or-later
// The context menu in full screen. Only the order is here: each item's look
// is its command-table row's.
#include "mainwnd/context_menu.h"

#include "mainwnd/command_ids.h"

CMenuItem BuildFullScreenMenu(const CMenuState& state)
{
    // This menu opens only in full screen.
    CMenuState inFullScreen = state;
    inFullScreen.fullScreen = true;
    return BuildMenu(
        {
            MenuEntry(ID_PLAY),
            MenuEntry(ID_PAUSE),
            MenuEntry(ID_STOP),
            MenuEntry(ID_MUTE),
            MenuEntry(ID_REPEAT),
            MenuSeparator(),
            MenuEntry(ID_PREVIOUS),
            MenuEntry(ID_NEXT),
            MenuSeparator(),
            AudioPopup(inFullScreen),
            SubtitlesPopup(inFullScreen),
            MenuSeparator(),
            MenuEntry(ID_FULL_SCREEN),
            MenuSeparator(),
            HelpPopup(),
            MenuSeparator(),
            MenuEntry(ID_EXIT),
        },
        inFullScreen);
}
