// SPDX-License-Identifier: GPL-3.0-or-later
// The context menu outside full screen, which the tray icon opens too. Only
// the order is here: each item's look is its command-table row's.
#include "mainwnd/context_menu.h"

#include "mainwnd/command_ids.h"
#include "settings/string_ids.h"

CMenuItem BuildTrayMenu(const CMenuState& state)
{
    return BuildMenu(
        {
            MenuEntry(ID_OPEN_CLIP),
            MenuEntry(ID_CLOSE_CLIP),
            MenuSeparator(),
            MenuEntry(ID_SHOW_HIDE),
            MenuSeparator(),
            MenuPopup(IDS_MENU_CONTROL, {MenuEntry(ID_PLAY), MenuEntry(ID_PAUSE), MenuEntry(ID_STOP),
                                         MenuEntry(ID_MUTE), MenuEntry(ID_REPEAT)}),
            MenuEntry(ID_PREVIOUS),
            MenuEntry(ID_NEXT),
            MenuSeparator(),
            AudioPopup(state),
            SubtitlesPopup(state),
            MenuPopup(IDS_MENU_ZOOM, {MenuEntry(ID_ZOOM_NORMAL), MenuSeparator(), MenuEntry(ID_ZOOM_DOUBLE),
                                      MenuEntry(ID_ZOOM_HALF)}),
            MenuEntry(ID_FULL_SCREEN),
            MenuEntry(ID_ALWAYS_ON_TOP),
            MenuSeparator(),
            // Reset Window Position is here as well as in the owner's system
            // menu, since many window managers keep Alt+Space for their own.
            MenuPopup(IDS_MENU_OPTIONS,
                      {MenuEntry(ID_PREFERENCES), MenuEntry(ID_RESET_WINDOW_POSITION),
                       MenuPopup(IDS_MENU_SKINS, {MenuEntry(ID_SKIN_SWITCH)}),
                       MenuPopup(IDS_MENU_SHUTDOWN,
                                 {MenuEntry(ID_SHUTDOWN_NONE), MenuSeparator(), MenuEntry(ID_SHUTDOWN_CLIP_END),
                                  MenuEntry(ID_SHUTDOWN_PLAYLIST_END), MenuSeparator(),
                                  MenuEntry(ID_SHUTDOWN_MINUTES)})}),
            MenuSeparator(),
            HelpPopup(),
            MenuSeparator(),
            MenuEntry(ID_EXIT),
        },
        state);
}
