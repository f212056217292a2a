// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/context_menu.h"

#include "mainwnd/command_ids.h"
#include "mainwnd/command_table.h"
#include "settings/string_ids.h"
#include "settings/localized_strings.h"
#include "skin/skin_catalog.h"

#include <algorithm>

namespace {

bool IsEntry(const CMenuItem& item) { return item.kind != CMenuItem::Kind::Separator; }

std::vector<CMenuItem> Resolve(const std::vector<CMenuItem>& layout, const CMenuState& state)
{
    std::vector<CMenuItem> items;
    for (const CMenuItem& entry : layout) {
        CMenuItem item = entry;
        if (entry.kind == CMenuItem::Kind::Command) {
            // An id without a row stays, textless, for the table's test to find.
            if (const CCommand* row = FindCommandById(entry.id)) {
                if (!row->menu.IsShown(state))
                    continue;
                item.text = row->menu.Text(state);
                item.enabled = row->menu.IsEnabled(state);
                item.checked = row->menu.IsChecked(state);
                item.radio = row->menu.radio;
            }
        } else if (entry.kind == CMenuItem::Kind::Popup) {
            item.children = Resolve(entry.children, state);
            if (std::none_of(item.children.begin(), item.children.end(), IsEntry))
                continue;
            item.enabled = std::any_of(item.children.begin(), item.children.end(),
                                       [](const CMenuItem& child) { return IsEntry(child) && child.enabled; });
        }
        items.push_back(std::move(item));
    }
    return items;
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

CMenuItem MenuEntry(int id)
{
    CMenuItem item;
    item.id = id;
    return item;
}

CMenuItem MenuSeparator()
{
    CMenuItem item;
    item.kind = CMenuItem::Kind::Separator;
    return item;
}

CMenuItem MenuPopup(int textId, std::vector<CMenuItem> children)
{
    CMenuItem item;
    item.kind = CMenuItem::Kind::Popup;
    item.text = LoadLocalizedString(textId);
    item.children = std::move(children);
    return item;
}

CMenuItem UserSkinEntry(int index, const CUserSkinFolder& skin, const CMenuState& state)
{
    CMenuItem item = MenuEntry(ID_USER_SKIN_FIRST + index);
    item.text = skin.displayName;
    item.radio = true;
    item.checked = state.skin != SKIN_NONE && state.userSkin == skin.name;
    return item;
}

namespace {

// One entry per stream; they have no command-table rows, so their texts
// and checks are set here and kept by BuildMenu.
std::vector<CMenuItem> TrackEntries(const QStringList& names, int current, int firstId)
{
    std::vector<CMenuItem> entries;
    for (int i = 0; i < std::min<int>(int(names.size()), kMaxMenuTracks); ++i) {
        CMenuItem item = MenuEntry(firstId + i);
        item.text = names[i];
        item.checked = i == current;
        item.radio = true;
        entries.push_back(std::move(item));
    }
    return entries;
}

}  // namespace

CMenuItem AudioPopup(const CMenuState& state)
{
    return MenuPopup(IDS_MENU_AUDIO, TrackEntries(state.audioTracks, state.currentAudio, ID_AUDIO_TRACK_FIRST));
}

CMenuItem SubtitlesPopup(const CMenuState& state)
{
    std::vector<CMenuItem> children{MenuEntry(ID_LOAD_SUBTITLE), MenuEntry(ID_UNLOAD_SUBTITLE), MenuSeparator()};
    for (CMenuItem& entry : TrackEntries(state.subtitleTracks, state.currentSubtitle, ID_SUBTITLE_TRACK_FIRST))
        children.push_back(std::move(entry));
    CMenuItem off = MenuEntry(ID_SUBTITLE_OFF);
    off.radio = true;
    children.push_back(std::move(off));
    return MenuPopup(IDS_MENU_SUBTITLES, std::move(children));
}

CMenuItem BuildMenu(const std::vector<CMenuItem>& layout, const CMenuState& state)
{
    CMenuItem menu;
    menu.kind = CMenuItem::Kind::Popup;
    menu.children = Resolve(layout, state);
    return menu;
}
