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
    return Popup(106, {Command(ID_HOME_PAGE, 111), Command(ID_SUPPORT_FORUM, 138), Command(ID_FAQ, 140),
                       Separator(), Command(ID_DONATE, 142), Separator(), Command(ID_ABOUT, 200)});
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
        Command(ID_OPEN_CLIP, 175),
        Command(ID_CLOSE_CLIP, 176),
        Separator(),
        Command(ID_SHOW_HIDE, state.mainWindowVisible ? 110 : 174),
        Separator(),
        Popup(178, {Command(ID_PLAY, 179), Command(ID_PAUSE, 180), Command(ID_STOP, 181), Command(ID_MUTE, 182),
                    Command(ID_REPEAT, 183)}),
        Command(ID_PREVIOUS, 216),
        Command(ID_NEXT, 217),
        Separator(),
        Popup(191, {Command(ID_ZOOM_NORMAL, 192), Separator(), Command(ID_ZOOM_DOUBLE, 193),
                    Command(ID_ZOOM_HALF, 194)}),
        Command(ID_FULL_SCREEN, 195),
        Command(ID_ALWAYS_ON_TOP, 196),
        Separator(),
        // Reset Window Position is here as well as in the owner's system
        // menu, since many window managers keep Alt+Space for their own.
        Popup(197, {Command(ID_PREFERENCES, 198), Command(ID_RESET_WINDOW_POSITION, 107),
                    Popup(199, {Command(ID_SKIN_SWITCH, 144)}),
                    Popup(218, {shutdownNone, Separator(), Command(ID_SHUTDOWN_CLIP_END, 219),
                                Command(ID_SHUTDOWN_PLAYLIST_END, 221), Separator(),
                                Command(ID_SHUTDOWN_MINUTES, 222)})}),
        Separator(),
        HelpPopup(),
        Separator(),
        Command(ID_EXIT, 201),
    };
    constexpr size_t kZoomPosition = 9;

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
        Command(ID_PLAY, 179),
        Command(ID_PAUSE, 180),
        Command(ID_STOP, 181),
        Command(ID_MUTE, 182),
        Command(ID_REPEAT, 183),
        Separator(),
        Command(ID_PREVIOUS, 216),
        Command(ID_NEXT, 217),
        Separator(),
        Command(ID_FULL_SCREEN, 195),
        Separator(),
        HelpPopup(),
        Separator(),
        Command(ID_EXIT, 201),
    };
    Check(menu, ID_FULL_SCREEN, true);
    ApplyCommonState(menu, state);
    return menu;
}
