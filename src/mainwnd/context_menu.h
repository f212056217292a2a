// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwnd/menu_state.h"

#include <QString>

#include <vector>

// A menu as plain data: built afresh for every opening from the player's
// state, then shown by a CMenuPresenter.
struct CMenuItem {
    enum class Kind { Command, Separator, Popup };

    Kind kind = Kind::Command;
    int id = 0;  // command id; 0 for separators and popups
    QString text;
    bool checked = false;
    bool radio = false;  // shown as one of a group of which one is checked
    bool enabled = true;
    std::vector<CMenuItem> children;  // popups only

    // The item with command id `id` here or below; nullptr when absent.
    const CMenuItem* Find(int id) const;
    // The popup whose text is `text`; nullptr when absent.
    const CMenuItem* FindPopup(const QString& text) const;
};

// A menu's layout is written with these: a command by its menu id, a
// separator, and a popup by its text's string id.
CMenuItem MenuEntry(int id);
CMenuItem MenuSeparator();
CMenuItem MenuPopup(int textId, std::vector<CMenuItem> children);

// The menu a layout shows in `state`. Each command takes its text, enabled
// and checked state from its command-table row and is left out where the
// row hides it; a popup left without commands is left out, and one with no
// enabled entry is grayed.
CMenuItem BuildMenu(const std::vector<CMenuItem>& layout, const CMenuState& state);

// A user's skin in the Skins menu: the n-th found (from 0) has the id
// ID_USER_SKIN_FIRST + n.
CMenuItem UserSkinEntry(int index, const CUserSkinFolder& skin, const CMenuState& state);

// The "Audio" and "Subtitles" popups: the clip's streams, named and
// checked from the state, and the subtitle commands.
CMenuItem AudioPopup(const CMenuState& state);
CMenuItem SubtitlesPopup(const CMenuState& state);

// The context menu outside full screen, also the tray icon's ("MENU_TRAY").
CMenuItem BuildTrayMenu(const CMenuState& state);
// The context menu in full screen ("FULL").
CMenuItem BuildFullScreenMenu(const CMenuState& state);
// The "Help" popup both context menus carry.
CMenuItem HelpPopup();
// The playlist window's sort menu ("MENU_SORT").
CMenuItem BuildSortMenu(const CMenuState& state);
