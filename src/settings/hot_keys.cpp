// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/hot_keys.h"

#include "settings/localized_strings.h"

#include <QKeyEvent>

#include <string_view>

namespace {

// Windows virtual-key codes the player names or produces.
enum : std::uint32_t {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_CLEAR = 0x0C,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_LWIN = 0x5B,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_VOLUME_MUTE = 0xAD,
    VK_VOLUME_DOWN = 0xAE,
    VK_VOLUME_UP = 0xAF,
    VK_MEDIA_NEXT_TRACK = 0xB0,
    VK_MEDIA_PREV_TRACK = 0xB1,
    VK_MEDIA_STOP = 0xB2,
    VK_MEDIA_PLAY_PAUSE = 0xB3,
    VK_OEM_1 = 0xBA,
    VK_OEM_PLUS = 0xBB,
    VK_OEM_COMMA = 0xBC,
    VK_OEM_MINUS = 0xBD,
    VK_OEM_PERIOD = 0xBE,
    VK_OEM_2 = 0xBF,
    VK_OEM_3 = 0xC0,
    VK_OEM_4 = 0xDB,
    VK_OEM_5 = 0xDC,
    VK_OEM_6 = 0xDD,
    VK_OEM_7 = 0xDE,
};

constexpr std::array<HotKeyEntry, HOTKEY_COUNT> kEntries{{
    {"hotkey_Hide", IDS_KEY_HIDE, 0x1B},
    {"hotkey_Fullscreen", IDS_KEY_FULL_SCREEN, 0x5A},
    {"hotkey_LoadUnload", IDS_KEY_LOAD_UNLOAD, 0x4C},
    {"hotkey_Play", IDS_KEY_PLAY, 0x50},
    {"hotkey_PauseResume", IDS_KEY_PAUSE_RESUME, 0x20},
    {"hotkey_Stop", IDS_KEY_STOP, 0x53},
    {"hotkey_Alwaysontop", IDS_KEY_ALWAYS_ON_TOP, 0x41},
    {"hotkey_Mute", IDS_KEY_MUTE, 0x4D},
    {"hotkey_Repeat", IDS_KEY_REPEAT, 0x52},
    {"hotkey_IncPBRate", IDS_KEY_RATE_INCREASE, 0x80027},
    {"hotkey_DecPBRate", IDS_KEY_RATE_DECREASE, 0x80025},
    {"hotkey_NorPBRate", IDS_KEY_RATE_NORMAL, 0x80023},
    {"hotkey_ZoomIn", IDS_KEY_ZOOM_IN, 0xBB},
    {"hotkey_ZoomOut", IDS_KEY_ZOOM_OUT, 0xBD},
    {"hotkey_ZoomTo", IDS_KEY_ZOOM_NORMAL, 0x30},
    {"hotkey_ReplayMedia", IDS_KEY_REPLAY, 0x42},
    {"hotkey_IncVol", IDS_KEY_VOLUME_UP, 0x80026},
    {"hotkey_DecVol", IDS_KEY_VOLUME_DOWN, 0x80028},
    {"hotkey_SwitchSkin", IDS_KEY_SWITCH_SKIN, 0x58},
}};

// The navigation block: separate keys are extended, their keypad twins
// (Num Lock off) are not.
std::uint32_t NavigationKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
    }
}

std::uint32_t KeypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return VK_NUMPAD0 + std::uint32_t(qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma: return VK_DECIMAL;
    case Qt::Key_Slash: return VK_DIVIDE;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Enter: return VK_RETURN;
    default: return 0;
    }
}

// Keys of the main block, named by what a US layout prints on them; shifted
// symbols map back to the key that carries them.
std::uint32_t MainKey(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return std::uint32_t(qtKey);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return std::uint32_t(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + std::uint32_t(qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_VolumeMute: return VK_VOLUME_MUTE;
    case Qt::Key_VolumeDown: return VK_VOLUME_DOWN;
    case Qt::Key_VolumeUp: return VK_VOLUME_UP;
    case Qt::Key_MediaNext: return VK_MEDIA_NEXT_TRACK;
    case Qt::Key_MediaPrevious: return VK_MEDIA_PREV_TRACK;
    case Qt::Key_MediaStop: return VK_MEDIA_STOP;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause: return VK_MEDIA_PLAY_PAUSE;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return 0;
    }
}

bool IsExtendedMainKey(std::uint32_t vk)
{
    return vk == VK_LWIN || vk == VK_APPS || vk == VK_NUMLOCK || vk == VK_SNAPSHOT ||
           (vk >= VK_VOLUME_MUTE && vk <= VK_MEDIA_PLAY_PAUSE);
}

QString NavigationName(std::uint32_t vk, bool extended)
{
    static const char* const kSeparate[] = {"Page Up", "Page Down", "End", "Home", "Left", "Up", "Right", "Down"};
    static const char* const kKeypad[] = {"Num 9", "Num 3", "Num 1", "Num 7", "Num 4", "Num 8", "Num 6", "Num 2"};
    const auto index = vk - VK_PRIOR;
    return QString::fromLatin1(extended ? kSeparate[index] : kKeypad[index]);
}

// The X11 key codes of the digit row, "1" to "=" on a US keyboard.
constexpr quint32 kDigitRowFirstCode = 10;
constexpr quint32 kDigitRowLastCode = 21;

// The key a US keyboard has at an X11 key code, for the main block's letter,
// digit and punctuation keys; 0 elsewhere. Hot keys are key positions, so a
// layout whose symbols are not Latin (Cyrillic, Greek, Hebrew, Thai...) is
// read through these positions.
int UsLayoutKeyAt(quint32 x11KeyCode)
{
    struct Row {
        quint32 firstCode;
        std::string_view keys;  // Qt's key codes of these keys are their characters
    };
    static constexpr Row kRows[] = {
        {kDigitRowFirstCode, "1234567890-="},
        {24, "QWERTYUIOP[]"},
        {38, "ASDFGHJKL;'`"},
        {51, "\\ZXCVBNM,./"},
    };
    for (const Row& row : kRows) {
        if (x11KeyCode >= row.firstCode && x11KeyCode - row.firstCode < row.keys.size())
            return row.keys[x11KeyCode - row.firstCode];
    }
    return 0;
}

}  // namespace

const std::array<HotKeyEntry, HOTKEY_COUNT>& HotKeyEntries() { return kEntries; }

HotKeyTable DefaultHotKeys()
{
    HotKeyTable table{};
    for (std::size_t i = 0; i < kEntries.size(); ++i)
        table[i] = kEntries[i].defaultCode;
    return table;
}

bool AssignHotKey(HotKeyTable& table, int selected, HotKeyCode code)
{
    if (HotKeyVirtualKey(code) == 0 && HotKeyModifiers(code) != 0)
        return false;
    for (int i = 0; i < HOTKEY_COUNT; ++i) {
        if (i == selected)
            table[i] = code;
        else if (table[i] == code)
            table[i] = 0;
    }
    return true;
}

HotKeyCode HotKeyFromQtKey(int qtKey, bool shift, bool ctrl, bool alt, bool keypad)
{
    if (qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt || qtKey == Qt::Key_AltGr)
        return 0;

    std::uint32_t vk = 0;
    bool extended = false;
    if (const std::uint32_t nav = NavigationKey(qtKey)) {
        vk = nav;
        extended = !keypad;
    } else if (keypad) {
        vk = KeypadKey(qtKey);
        extended = vk == VK_DIVIDE || vk == VK_RETURN;
    } else {
        vk = MainKey(qtKey);
        extended = IsExtendedMainKey(vk);
    }
    if (vk == 0)
        return 0;

    std::uint32_t modifiers = 0;
    if (shift)
        modifiers |= HOTKEYF_SHIFT;
    if (ctrl)
        modifiers |= HOTKEYF_CONTROL;
    if (alt)
        modifiers |= HOTKEYF_ALT;
    if (extended)
        modifiers |= HOTKEYF_EXT;
    return MakeHotKey(modifiers, vk);
}

HotKeyCode HotKeyFromEvent(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    const auto convert = [&](int qtKey) {
        return HotKeyFromQtKey(qtKey, mods & Qt::ShiftModifier, mods & Qt::ControlModifier, mods & Qt::AltModifier,
                               mods & Qt::KeypadModifier);
    };
    if (mods & Qt::KeypadModifier)
        return convert(event.key());
    // The digit row goes by position before its symbols: unshifted AZERTY
    // gives "&é\"'(-è_çà", whose symbols the shifted-symbol table would put
    // on other keys (the 1-key and the 7-key would both be "7"), and
    // QWERTZ's Shift+7 gives "/".
    const quint32 position = event.nativeScanCode();
    if (position >= kDigitRowFirstCode && position <= kDigitRowLastCode)
        return convert(UsLayoutKeyAt(position));
    const HotKeyCode code = convert(event.key());
    return code != 0 ? code : convert(UsLayoutKeyAt(position));
}

QString VirtualKeyName(std::uint32_t vk, bool extended)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return QString(QChar(char16_t(vk)));
    if (vk >= VK_F1 && vk < VK_F1 + 24)
        return QStringLiteral("F%1").arg(vk - VK_F1 + 1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return QStringLiteral("Num %1").arg(vk - VK_NUMPAD0);
    if (vk >= VK_PRIOR && vk <= VK_DOWN)
        return NavigationName(vk, extended);

    const char* name = nullptr;
    switch (vk) {
    case VK_BACK: name = "Backspace"; break;
    case VK_TAB: name = "Tab"; break;
    case VK_CLEAR: name = "Num 5"; break;
    case VK_RETURN: name = extended ? "Num Enter" : "Enter"; break;
    case VK_SHIFT: name = "Shift"; break;
    case VK_CONTROL: name = "Ctrl"; break;
    case VK_MENU: name = "Alt"; break;
    case VK_PAUSE: name = "Pause"; break;
    case VK_CAPITAL: name = "Caps Lock"; break;
    case VK_ESCAPE: name = "Esc"; break;
    case VK_SPACE: name = "Space"; break;
    case VK_SNAPSHOT: name = "Prnt Scrn"; break;
    case VK_INSERT: name = extended ? "Insert" : "Num 0"; break;
    case VK_DELETE: name = extended ? "Delete" : "Num Del"; break;
    case VK_LWIN: name = "Left Windows"; break;
    case VK_APPS: name = "Application"; break;
    case VK_MULTIPLY: name = "Num *"; break;
    case VK_ADD: name = "Num +"; break;
    case VK_SUBTRACT: name = "Num -"; break;
    case VK_DECIMAL: name = "Num Del"; break;
    case VK_DIVIDE: name = "Num /"; break;
    case VK_NUMLOCK: name = "Num Lock"; break;
    case VK_SCROLL: name = "Scroll Lock"; break;
    case VK_VOLUME_MUTE: name = "Mute"; break;
    case VK_VOLUME_DOWN: name = "Volume Down"; break;
    case VK_VOLUME_UP: name = "Volume Up"; break;
    case VK_MEDIA_NEXT_TRACK: name = "Next Track"; break;
    case VK_MEDIA_PREV_TRACK: name = "Previous Track"; break;
    case VK_MEDIA_STOP: name = "Stop"; break;
    case VK_MEDIA_PLAY_PAUSE: name = "Play/Pause"; break;
    case VK_OEM_1: name = ";"; break;
    case VK_OEM_PLUS: name = "="; break;
    case VK_OEM_COMMA: name = ","; break;
    case VK_OEM_MINUS: name = "-"; break;
    case VK_OEM_PERIOD: name = "."; break;
    case VK_OEM_2: name = "/"; break;
    case VK_OEM_3: name = "`"; break;
    case VK_OEM_4: name = "["; break;
    case VK_OEM_5: name = "\\"; break;
    case VK_OEM_6: name = "]"; break;
    case VK_OEM_7: name = "'"; break;
    default: break;
    }
    if (name)
        return QString::fromLatin1(name);
    // A key our table does not know still gets a readable, unique name.
    return QStringLiteral("Key 0x") + QString::number(vk, 16).toUpper().rightJustified(2, u'0');
}

QString HotKeyText(HotKeyCode code)
{
    if (HotKeyVirtualKey(code) == 0 && code <= 0xFFFF)
        return LoadLocalizedString(IDS_NO_HOT_KEY);
    const std::uint32_t modifiers = HotKeyModifiers(code);
    return HotKeyModifiersText(modifiers) + VirtualKeyName(HotKeyVirtualKey(code), modifiers & HOTKEYF_EXT);
}

QString HotKeyModifiersText(std::uint32_t modifiers)
{
    const QString separator = QStringLiteral(" + ");
    QString text;
    if (modifiers & HOTKEYF_CONTROL)
        text += VirtualKeyName(VK_CONTROL, false) + separator;
    if (modifiers & HOTKEYF_SHIFT)
        text += VirtualKeyName(VK_SHIFT, false) + separator;
    if (modifiers & HOTKEYF_ALT)
        text += VirtualKeyName(VK_MENU, false) + separator;
    return text;
}
