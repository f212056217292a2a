#include "hot_key_dispatch.h"

#include <initializer_list>

namespace {

HotKeyAction FirstMatch(HotKeyCode code, const HotKeyTable& table, std::initializer_list<HotKeyAction> order)
{
    if (code == 0)
        return HOTKEY_COUNT;
    for (HotKeyAction action : order) {
        if (table[action] == code)
            return action;
    }
    return HOTKEY_COUNT;
}

}  // namespace

HotKeyAction KeyDownHotKey(HotKeyCode code, const HotKeyTable& table)
{
    return FirstMatch(code, table, {HOTKEY_INCVOL, HOTKEY_DECVOL, HOTKEY_HIDE});
}

HotKeyAction KeyUpHotKey(HotKeyCode code, const HotKeyTable& table)
{
    return FirstMatch(code, table,
                      {HOTKEY_DECPBRATE, HOTKEY_FULLSCREEN, HOTKEY_INCPBRATE, HOTKEY_LOADUNLOAD, HOTKEY_MUTE,
                       HOTKEY_PAUSERESUME, HOTKEY_PLAY, HOTKEY_REPEAT, HOTKEY_REPLAYMEDIA, HOTKEY_STOP,
                       HOTKEY_ZOOMIN, HOTKEY_ZOOMOUT, HOTKEY_ZOOMTO, HOTKEY_SWITCHSKIN, HOTKEY_ALWAYSONTOP});
}
