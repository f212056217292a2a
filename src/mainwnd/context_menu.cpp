// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/context_menu.h"

#include "mainwnd/command_ids.h"
#include "settings/localized_strings.h"
#include "settings/player_settings.h"

namespace {

CMenuItem Command(int id, int stringId)
{
    CMenuItem item;
    item.id = id;
    item.text = LoadLocalizedString(stringId);
    return item;
}

CMenuItem Separator()
{
    CMenuItem item;
    item.kind = CMenuItem::Kind::Separator;
    return item;
}

CMenuItem Popup(int stringId, std::vector<CMenuItem> children)
{
    CMenuItem item;
    item.kind = CMenuItem::Kind::Popup;
    item.text = LoadLocalizedString(stringId);
    item.children = std::move(children);
    return item;
}

CMenuItem* FindMutable(CMenuItem& menu, int id) { return const_cast<CMenuItem*>(menu.Find(id)); }

void Check(CMenuItem& menu, int id, bool checked)
{
    if (CMenuItem* item = FindMutable(menu, id))
        item->checked = checked;
}

void Gray(CMenuItem& menu, int id)
{
    if (CMenuItem* item = FindMutable(menu, id))
        item->enabled = false;
}

void Remove(CMenuItem& menu, int id)
{
    auto& items = menu.children;
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (it->kind == CMenuItem::Kind::Command && it->id == id) {
            items.erase(it);
            return;
        }
    }
}

CMenuItem HelpPopup()
{
    return Popup(IDS_HELP,
                 {Command(ID_HOME_PAGE, IDS_MENU_HOME_PAGE), Command(ID_SUPPORT_FORUM, IDS_MENU_SUPPORT_FORUM),
                  Command(ID_FAQ, IDS_MENU_FAQ), Separator(), Command(ID_DONATE, IDS_MENU_DONATE), Separator(),
                  Command(ID_ABOUT, IDS_MENU_ABOUT)});
}

// The rules both menus share.
void ApplyCommonState(CMenuItem& menu, const CMenuState& state)
{
    if (state.loaded) {
        if (!state.hasAudio)
            Gray(menu, ID_MUTE);
        if (!state.playing)
            Gray(menu, ID_PAUSE);
        if (!state.paused && !state.stopped)
            Gray(menu, ID_PLAY);
        if (!state.paused && !state.playing)
            Gray(menu, ID_STOP);
    }
    if (state.muted)
        Check(menu, ID_MUTE, true);
    if (state.repeat)
        Check(menu, ID_REPEAT, true);
    Check(menu, ID_SHUTDOWN_NONE, state.shutdownMode == SHUTDOWN_NONE);
    Check(menu, ID_SHUTDOWN_CLIP_END, state.shutdownMode == SHUTDOWN_CLIP_END);
    Check(menu, ID_SHUTDOWN_PLAYLIST_END, state.shutdownMode == SHUTDOWN_PLAYLIST_END);
    Check(menu, ID_SHUTDOWN_MINUTES, state.shutdownMode == SHUTDOWN_MINUTES);
}

}  // namespace

const CMenuItem* CMenuItem::Find(int wanted) const
{
    for (const CMenuItem& child : children) {
        if (child.kind == Kind::Command && child.id == wanted)
            return &child;
        if (const CMenuItem* found = child.Find(wanted))
            return found;
    }
    return nullptr;
}

const CMenuItem* CMenuItem::FindPopup(const QString& wanted) const
{
    for (const CMenuItem& child : children) {
        if (child.kind == Kind::Popup && child.text == wanted)
            return &child;
        if (const CMenuItem* found = child.FindPopup(wanted))
            return found;
    }
    return nullptr;
}

CMenuItem BuildTrayMenu(const CMenuState& state)
{
    CMenuItem shutdownNone;
    shutdownNone.id = ID_SHUTDOWN_NONE;
    shutdownNone.text = QStringLiteral("NULL");  // the one untranslated item

    CMenuItem menu;
    menu.kind = CMenuItem::Kind::Popup;
    menu.children = {
        Command(ID_OPEN_CLIP, IDS_MENU_OPEN_CLIP),
        Command(ID_CLOSE_CLIP, IDS_MENU_CLOSE_CLIP),
        Separator(),
        Command(ID_SHOW_HIDE, state.mainWindowVisible ? IDS_MENU_HIDE : IDS_MENU_SHOW),
        Separator(),
        Popup(IDS_MENU_CONTROL,
              {Command(ID_PLAY, IDS_MENU_PLAY), Command(ID_PAUSE, IDS_MENU_PAUSE), Command(ID_STOP, IDS_MENU_STOP),
               Command(ID_MUTE, IDS_MENU_MUTE), Command(ID_REPEAT, IDS_MENU_REPEAT)}),
        Command(ID_PREVIOUS, IDS_MENU_PREVIOUS),
        Command(ID_NEXT, IDS_MENU_NEXT),
        Separator(),
        Popup(IDS_MENU_ZOOM,
              {Command(ID_ZOOM_NORMAL, IDS_MENU_ZOOM_NORMAL), Separator(),
               Command(ID_ZOOM_DOUBLE, IDS_MENU_ZOOM_DOUBLE), Command(ID_ZOOM_HALF, IDS_MENU_ZOOM_HALF)}),
        Command(ID_FULL_SCREEN, IDS_MENU_FULL_SCREEN),
        Command(ID_ALWAYS_ON_TOP, IDS_MENU_ALWAYS_ON_TOP),
        Separator(),
        // Reset Window Position is here as well as in the owner's system
        // menu, since many window managers keep Alt+Space for their own.
        Popup(IDS_MENU_OPTIONS,
              {Command(ID_PREFERENCES, IDS_MENU_PREFERENCES),
               Command(ID_RESET_WINDOW_POSITION, IDS_RESET_WINDOW_POSITION),
               Popup(IDS_MENU_SKINS, {Command(ID_SKIN_SWITCH, IDS_SKIN_METAL_RED)}),
               Popup(IDS_MENU_SHUTDOWN,
                     {shutdownNone, Separator(), Command(ID_SHUTDOWN_CLIP_END, IDS_MENU_SHUTDOWN_CLIP_END),
                      Command(ID_SHUTDOWN_PLAYLIST_END, IDS_MENU_SHUTDOWN_PLAYLIST_END), Separator(),
                      Command(ID_SHUTDOWN_MINUTES, IDS_MENU_SHUTDOWN_MINUTES)})}),
        Separator(),
        HelpPopup(),
        Separator(),
        Command(ID_EXIT, IDS_MENU_EXIT),
    };
    constexpr size_t kZoomPosition = 9;  // the "Zoom" popup's place in the full layout

    if (state.topMost)
        Check(menu, ID_ALWAYS_ON_TOP, true);
    if (state.loaded) {
        if (!state.hasVideo) {
            Gray(menu, ID_FULL_SCREEN);
            menu.children[kZoomPosition].enabled = false;
        }
    } else {
        Gray(menu, ID_CLOSE_CLIP);
        menu.children.erase(menu.children.begin() + kZoomPosition);
        Remove(menu, ID_FULL_SCREEN);
        Gray(menu, ID_PLAY);
        Gray(menu, ID_PAUSE);
        Gray(menu, ID_STOP);
    }
    Check(menu, ID_SKIN_SWITCH, state.skin == 0);
    ApplyCommonState(menu, state);
    return menu;
}

CMenuItem BuildFullScreenMenu(const CMenuState& state)
{
    CMenuItem menu;
    menu.kind = CMenuItem::Kind::Popup;
    menu.children = {
        Command(ID_PLAY, IDS_MENU_PLAY),
        Command(ID_PAUSE, IDS_MENU_PAUSE),
        Command(ID_STOP, IDS_MENU_STOP),
        Command(ID_MUTE, IDS_MENU_MUTE),
        Command(ID_REPEAT, IDS_MENU_REPEAT),
        Separator(),
        Command(ID_PREVIOUS, IDS_MENU_PREVIOUS),
        Command(ID_NEXT, IDS_MENU_NEXT),
        Separator(),
        Command(ID_FULL_SCREEN, IDS_MENU_FULL_SCREEN),
        Separator(),
        HelpPopup(),
        Separator(),
        Command(ID_EXIT, IDS_MENU_EXIT),
    };
    Check(menu, ID_FULL_SCREEN, true);
    ApplyCommonState(menu, state);
    return menu;
}
