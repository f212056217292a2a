// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/hot_keys.h"
#include "settings/localized_strings.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

TEST(HotKeyTableTest, KeysNamesAndDefaultsFollowTheTable)
{
    const auto& entries = HotKeyEntries();
    ASSERT_EQ(entries.size(), 19u);
    EXPECT_STREQ(entries[HOTKEY_HIDE].profileKey, "hotkey_Hide");
    EXPECT_STREQ(entries[HOTKEY_SWITCHSKIN].profileKey, "hotkey_SwitchSkin");
    EXPECT_EQ(entries[HOTKEY_ZOOMTO].nameStringId, 143);
    EXPECT_EQ(entries[HOTKEY_SWITCHSKIN].nameStringId, 153);

    const HotKeyTable defaults = DefaultHotKeys();
    EXPECT_EQ(defaults[HOTKEY_PAUSERESUME], 0x20u);
    EXPECT_EQ(defaults[HOTKEY_INCPBRATE], 0x80027u);
    EXPECT_EQ(defaults[HOTKEY_NORPBRATE], 0x80023u);
    EXPECT_EQ(defaults[HOTKEY_ZOOMIN], 0xBBu);
    EXPECT_EQ(defaults[HOTKEY_DECVOL], 0x80028u);

    // Every action name is a non-empty English text.
    for (const HotKeyEntry& entry : entries)
        EXPECT_FALSE(LoadLocalizedString(entry.nameStringId).isEmpty()) << entry.profileKey;
}

TEST(HotKeyEncodingTest, QtKeysBecomeVirtualKeysWithFlags)
{
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Z, false, false, false, false), 0x5Au);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Space, false, false, false, false), 0x20u);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Escape, false, false, false, false), 0x1Bu);
    // The separate arrows are extended; the keypad's (Num Lock off) are not.
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Right, false, false, false, false), 0x80027u);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Right, false, false, false, true), 0x27u);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_End, false, false, false, false), 0x80023u);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Delete, false, false, false, true), 0x2Eu);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_6, false, false, false, true), 0x66u);  // Num 6, Num Lock on
    // Modifiers: Shift 1, Ctrl 2, Alt 4 in bits 16-19.
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Right, true, true, false, false), 0xB0027u);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_A, false, false, true, false), 0x40041u);
    // Shifted symbols stay on the key that carries them.
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Plus, true, false, false, false), 0x100BBu);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Underscore, true, false, false, false), 0x100BDu);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_ParenRight, true, false, false, false), 0x10030u);
    // Modifier keys alone never make a shortcut; nor do unknown keys.
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Shift, true, false, false, false), 0u);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Control, false, true, false, false), 0u);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_Alt, false, false, true, false), 0u);
    EXPECT_EQ(HotKeyFromQtKey(Qt::Key_unknown, false, false, false, false), 0u);

    const QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(HotKeyFromEvent(press), 0x20025u);

    // The first and last key of each run of keys, with their names.
    const struct {
        int qtKey;
        bool keypad;
        HotKeyCode code;
        const char* text;
    } ends[] = {{Qt::Key_A, false, 0x41, "A"},
                {Qt::Key_0, false, 0x30, "0"},
                {Qt::Key_9, false, 0x39, "9"},
                {Qt::Key_F1, false, 0x70, "F1"},
                {Qt::Key_F24, false, 0x87, "F24"},
                {Qt::Key_0, true, 0x60, "Num 0"},
                {Qt::Key_9, true, 0x69, "Num 9"},
                {Qt::Key_PageUp, false, 0x80021, "Page Up"},
                {Qt::Key_Down, false, 0x80028, "Down"},
                {Qt::Key_VolumeMute, false, 0x800AD, "Mute"},
                {Qt::Key_MediaPlay, false, 0x800B3, "Play/Pause"}};
    for (const auto& c : ends) {
        EXPECT_EQ(HotKeyFromQtKey(c.qtKey, false, false, false, c.keypad), c.code) << c.text;
        EXPECT_EQ(HotKeyText(c.code), QLatin1String(c.text));
    }
}

TEST(HotKeyEncodingTest, KeysOfANonLatinLayoutAreReadByTheirPosition)
{
    // X11 key codes of the first and last key of each row of the main block,
    // and of the keys just before and after the block.
    const struct {
        quint32 x11KeyCode;
        HotKeyCode code;
    } cases[] = {{10, '1'},  {21, 0xBB}, {24, 'Q'},  {35, 0xDD}, {38, 'A'},
                 {49, 0xC0}, {51, 0xDC}, {61, 0xBF}, {9, 0},     {62, 0}};
    const int cyrillicEf = 0x424;
    for (const auto& c : cases) {
        const QKeyEvent press(QEvent::KeyPress, cyrillicEf, Qt::NoModifier, c.x11KeyCode, 0, 0);
        EXPECT_EQ(HotKeyFromEvent(press), c.code) << c.x11KeyCode;
    }
}

TEST(HotKeyEncodingTest, DigitRowGoesByKeyPositionOnEveryLayout)
{
    // X11 key codes of the digit row and what French and German layouts
    // report there.
    struct Case {
        quint32 keyCode;
        int qtKey;
        bool shift;
        HotKeyCode expected;
    };
    const Case cases[] = {
        {10, Qt::Key_Ampersand, false, 0x31},   // AZERTY 1-key: "&"
        {16, Qt::Key_Egrave, false, 0x37},      // AZERTY 7-key: "è"
        {15, Qt::Key_Minus, false, 0x36},       // AZERTY 6-key: "-"
        {17, Qt::Key_Underscore, false, 0x38},  // AZERTY 8-key: "_"
        {14, Qt::Key_ParenLeft, false, 0x35},   // AZERTY 5-key: "("
        {18, Qt::Key_Ccedilla, false, 0x39},    // AZERTY 9-key: "ç"
        {16, Qt::Key_Slash, true, 0x10037},     // QWERTZ Shift+7: "/"
        {20, Qt::Key_ssharp, false, 0xBD},      // QWERTZ "ß" sits on the US "-"
        {21, Qt::Key_Equal, false, 0xBB},       // US "="
        {24, Qt::Key_A, false, 0x41},           // AZERTY "A" where US has "Q"
    };
    for (const Case& c : cases) {
        const QKeyEvent press(QEvent::KeyPress, c.qtKey, c.shift ? Qt::ShiftModifier : Qt::NoModifier, c.keyCode,
                              0, 0);
        EXPECT_EQ(HotKeyFromEvent(press), c.expected) << c.keyCode;
    }
}

TEST(HotKeyTextTest, ReadsCtrlShiftAltThenTheKey)
{
    EXPECT_EQ(HotKeyText(0), QStringLiteral("None"));
    EXPECT_EQ(HotKeyText(0x1B), QStringLiteral("Esc"));
    EXPECT_EQ(HotKeyText(0x20), QStringLiteral("Space"));
    EXPECT_EQ(HotKeyText(0x80027), QStringLiteral("Right"));
    EXPECT_EQ(HotKeyText(0x27), QStringLiteral("Num 6"));
    EXPECT_EQ(HotKeyText(0x80023), QStringLiteral("End"));
    EXPECT_EQ(HotKeyText(0x23), QStringLiteral("Num 1"));
    EXPECT_EQ(HotKeyText(0xBB), QStringLiteral("="));
    EXPECT_EQ(HotKeyText(0xBD), QStringLiteral("-"));
    EXPECT_EQ(HotKeyText(0x66), QStringLiteral("Num 6"));
    EXPECT_EQ(HotKeyText(0x7B), QStringLiteral("F12"));
    EXPECT_EQ(HotKeyText(0xF0027), QStringLiteral("Ctrl + Shift + Alt + Right"));
    EXPECT_EQ(HotKeyText(0x50041), QStringLiteral("Shift + Alt + A"));
    // A modifier without a key still names the (missing) key's slot.
    EXPECT_EQ(HotKeyText(0x20000), QStringLiteral("Ctrl + Key 0x00"));
    EXPECT_EQ(HotKeyText(0xE8), QStringLiteral("Key 0xE8"));
    EXPECT_EQ(HotKeyText(0x88), QStringLiteral("Key 0x88"));
}

}  // namespace
