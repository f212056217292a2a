// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwnd/menu_state.h"
#include "settings/hot_keys.h"

#include <QString>

#include <span>

class CCommandTarget;

// Every command the main window runs, by name. Menus reach a command by its
// menu id, skin buttons by their control, hot keys by their setting, and
// outside callers (the tray, desktop media controls, assistive technology)
// by this name.
enum class Command {
    // Hot keys acting on key-down.
    VolumeUp,
    VolumeDown,
    HideOrLeaveFullScreen,
    // Hot keys acting on key-up.
    RateDecrease,
    FullScreen,
    RateIncrease,
    RateNormal,
    OpenClip,
    Mute,
    PauseResume,
    PlayOrOpen,
    Repeat,
    Replay,
    StopOrClose,
    ZoomIn,
    ZoomOut,
    ZoomNormal,
    SkinSwitch,
    AlwaysOnTop,
    // No hot key.
    ResetWindowPosition,
    CloseClip,
    ShowHide,
    Play,
    Pause,
    Stop,
    RateDouble,
    RateHalf,
    ZoomDouble,
    ZoomHalf,
    Exit,
    About,
    Preferences,
    SkinMetalRed,
    SkinBlueCurve,
    SkinNone,
    HomePage,
    Donate,
    SupportForum,
    Faq,
    Previous,
    Next,
    ShutdownNone,
    ShutdownClipEnd,
    ShutdownPlaylistEnd,
    ShutdownMinutes,
    Maximize,
    Minimize,
    PlayPause,
    FullScreenButton,
    Faster,
    Slower,
    Hide,
    PlaylistWindow,
    Shuffle,
    // Desktop media controls.
    PlayListed,
    PlaylistRepeat,
    Raise,
    LoadSubtitle,
    UnloadSubtitle,
    SubtitlesOff,
    // Run by the playlist window, which owns the sort.
    SortByName,
    SortByFolder,
};

// Whether a hot key acts when its key goes down or when it comes up.
enum class KeyPhase { Press, Release };

// A condition on what the menus show.
using MenuRule = bool (*)(const CMenuState& state);

// How a command's menu item looks. Rules left empty mean always shown,
// always enabled, never checked.
struct CMenuLook {
    int text = 0;                     // string id (IDS_...); 0 when no menu carries it
    const char* fixedText = nullptr;  // an untranslated text instead
    int otherText = 0;                // string id shown instead while `otherTextWhen` holds
    MenuRule otherTextWhen = nullptr;
    MenuRule shown = nullptr;
    MenuRule enabled = nullptr;
    MenuRule checked = nullptr;
    bool radio = false;  // one of a group of which one is checked

    QString Text(const CMenuState& state) const;
    bool IsShown(const CMenuState& state) const { return !shown || shown(state); }
    bool IsEnabled(const CMenuState& state) const { return !enabled || enabled(state); }
    bool IsChecked(const CMenuState& state) const { return checked && checked(state); }
};

// One row of the command table.
struct CCommand {
    Command name;
    int id;               // menu command id (ID_...), 0 when no menu carries it
    int control;          // main-window skin control (MC_...), 0 for none
    HotKeyAction hotKey;  // HOTKEY_COUNT for none
    KeyPhase phase;
    CMenuLook menu;                       // {} when no menu carries it
    void (*run)(CCommandTarget& target);  // nullptr: another window runs it
};

// The main window's commands. Rows with hot keys come first, in the order
// keys are compared: when two settings hold the same key, the earlier row
// wins.
std::span<const CCommand> CommandTable();

const CCommand* FindCommand(Command name);
const CCommand* FindCommandById(int id);
const CCommand* FindCommandByControl(int control);
// The first row whose hot key of that phase is `code`; a code of 0 (no key)
// matches nothing.
const CCommand* FindHotKeyCommand(HotKeyCode code, const HotKeyTable& keys, KeyPhase phase);
