// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// A context menu as plain data: built afresh for every opening from the
// player's state, then shown by a CMenuPresenter.
struct CMenuItem {
    enum class Kind { Command, Separator, Popup };

    Kind kind = Kind::Command;
    int id = 0;  // command id; 0 for separators and popups
    QString text;
    bool checked = false;
    bool enabled = true;
    std::vector<CMenuItem> children;  // popups only

    // The item with command id `id` here or below; nullptr when absent.
    const CMenuItem* Find(int id) const;
    // The popup whose text is `text`; nullptr when absent.
    const CMenuItem* FindPopup(const QString& text) const;
};

// What the menus show, read from the engine, the settings and the windows.
struct CMenuState {
    bool mainWindowVisible = false;
    bool topMost = false;
    int skin = 0;
    int shutdownMode = 0;
    bool loaded = false;
    bool hasVideo = false;
    bool hasAudio = false;
    bool playing = false;
    bool paused = false;
    bool stopped = false;
    bool muted = false;
    bool repeat = false;
};

// The "MENU_TRAY" menu, used outside full screen.
CMenuItem BuildTrayMenu(const CMenuState& state);
// The "FULL" menu, used in full screen.
CMenuItem BuildFullScreenMenu(const CMenuState& state);
