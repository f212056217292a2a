#pragma once

#include "hot_keys.h"

// Which hot key a key code is, in the order the main window compares them;
// the first match wins, so a code assigned to two actions triggers only the
// earlier one. A code of 0 (no key) matches nothing.

// Key down: the volume keys and the hide key. HOTKEY_COUNT for no match.
HotKeyAction KeyDownHotKey(HotKeyCode code, const HotKeyTable& table);
// Key up: rate, full screen, load, mute, pause, play, repeat, replay, stop,
// zoom, skin and always-on-top. HOTKEY_COUNT for no match.
HotKeyAction KeyUpHotKey(HotKeyCode code, const HotKeyTable& table);
