// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <cstdint>

class QKeyEvent;

// A shortcut is one 32-bit code: the virtual-key code in bits 0-15 and the
// modifier flags in bits 16-19. 0 means no shortcut.
using HotKeyCode = std::uint32_t;

constexpr std::uint32_t HOTKEYF_SHIFT = 0x1;
constexpr std::uint32_t HOTKEYF_CONTROL = 0x2;
constexpr std::uint32_t HOTKEYF_ALT = 0x4;
constexpr std::uint32_t HOTKEYF_EXT = 0x8;

constexpr HotKeyCode MakeHotKey(std::uint32_t modifiers, std::uint32_t virtualKey)
{
    return (modifiers << 16) | (virtualKey & 0xFFFF);
}
constexpr std::uint32_t HotKeyVirtualKey(HotKeyCode code) { return code & 0xFFFF; }
constexpr std::uint32_t HotKeyModifiers(HotKeyCode code) { return (code >> 16) & 0xFF; }

// The player's actions with a shortcut, in the order of the table, the
// settings fields and the Keys page.
enum HotKeyAction {
    HOTKEY_HIDE,
    HOTKEY_FULLSCREEN,
    HOTKEY_LOADUNLOAD,
    HOTKEY_PLAY,
    HOTKEY_PAUSERESUME,
    HOTKEY_STOP,
    HOTKEY_ALWAYSONTOP,
    HOTKEY_MUTE,
    HOTKEY_REPEAT,
    HOTKEY_INCPBRATE,
    HOTKEY_DECPBRATE,
    HOTKEY_NORPBRATE,
    HOTKEY_ZOOMIN,
    HOTKEY_ZOOMOUT,
    HOTKEY_ZOOMTO,
    HOTKEY_REPLAYMEDIA,
    HOTKEY_INCVOL,
    HOTKEY_DECVOL,
    HOTKEY_SWITCHSKIN,
    HOTKEY_COUNT
};

struct HotKeyEntry {
    const char* profileKey;  // key in the [Setting] group
    int nameStringId;        // action name in the string table
    HotKeyCode defaultCode;
};

using HotKeyTable = std::array<HotKeyCode, HOTKEY_COUNT>;

const std::array<HotKeyEntry, HOTKEY_COUNT>& HotKeyEntries();
HotKeyTable DefaultHotKeys();

// Gives `code` to action `selected` (none when negative) and takes it from
// every other action that had it, so a combination belongs to at most one
// action; 0 clears the selected action only. Modifiers without a key are a
// combination still being typed: false, and nothing changes.
bool AssignHotKey(HotKeyTable& table, int selected, HotKeyCode code);

// The code of a key press: 0 for a press of Shift, Ctrl or Alt alone and
// for keys that have no virtual-key code.
HotKeyCode HotKeyFromEvent(const QKeyEvent& event);
// The same from the parts of an event; keypad marks a key on the number pad.
HotKeyCode HotKeyFromQtKey(int qtKey, bool shift, bool ctrl, bool alt, bool keypad);

// The readable text of a code: "None", or the names of Ctrl, Shift, Alt and
// the key joined by " + ".
QString HotKeyText(HotKeyCode code);
// The names of the modifier flags (HOTKEYF_*) in the order HotKeyText gives
// them, each followed by " + ": "Ctrl + Shift + ".
QString HotKeyModifiersText(std::uint32_t modifiers);
// The English name of one virtual key; extended picks the separate key over
// the keypad key that shares its code.
QString VirtualKeyName(std::uint32_t virtualKey, bool extended);
