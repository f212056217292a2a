// SPDX-License-Identifier: GPL-3.0-or-later
// The context menu outside full screen, which the tray icon opens too. Only
// the order is here: each item's look is its command-table row's.
#include "mainwnd/context_menu.h"

#include "mainwnd/command_ids.h"
#include "settings/string_ids.h"

#include <algorithm>

namespace {

// The built-in looks, then the user's skins as they were found.
CMenuItem SkinsPopup(const CMenuState& state)
{
    std::vector<CMenuItem> skins = {MenuEntry(ID_SKIN_METAL_RED), MenuEntry(ID_SKIN_BLUE_CURVE),
                                    MenuEntry(ID_SKIN_NONE)};
    const int count = std::min(static_cast<int>(state.userSkins.size()),
                               ID_USER_SKIN_LAST - ID_USER_SKIN_FIRST + 1);
    if (count > 0)
        skins.push_back(MenuSeparator());
    for (int i = 0; i < count; ++i)
        skins.push_back(UserSkinEntry(i, state.userSkins[i], state));
    return MenuPopup(IDS_MENU_SKINS, std::move(skins));
}

}  // namespace

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
                      {MenuEntry(ID_PREFERENCES), MenuEntry(ID_RESET_WINDOW_POSITION), SkinsPopup(state),
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
