// SPDX-License-Identifier: GPL-3.0-or-later
// The plain rules behind the main window's input: hot-key order, the
// sizing border, what each control does with the mouse, tray activations.
#include "mainwnd/control_rules.h"
#include "mainwnd/command_table.h"
#include "mainwnd/context_menu.h"
#include "platform/resize_band.h"
#include "skin/skin_ids.h"
#include "platform/tray_activation.h"

#include <gtest/gtest.h>

#include <QSystemTrayIcon>

#include <set>

namespace {

// The hot-key setting of the command a key runs, HOTKEY_COUNT for none.
HotKeyAction KeyDownHotKey(HotKeyCode code, const HotKeyTable& table)
{
    const CCommand* command = FindHotKeyCommand(code, table, KeyPhase::Press);
    return command ? command->hotKey : HOTKEY_COUNT;
}

HotKeyAction KeyUpHotKey(HotKeyCode code, const HotKeyTable& table)
{
    const CCommand* command = FindHotKeyCommand(code, table, KeyPhase::Release);
    return command ? command->hotKey : HOTKEY_COUNT;
}

}  // namespace

TEST(HotKeyDispatchTest, DefaultsReachTheirActions)
{
    const HotKeyTable table = DefaultHotKeys();
    EXPECT_EQ(KeyUpHotKey(MakeHotKey(0, 'M'), table), HOTKEY_MUTE);
    EXPECT_EQ(KeyUpHotKey(MakeHotKey(0, 'S'), table), HOTKEY_STOP);
    EXPECT_EQ(KeyUpHotKey(MakeHotKey(HOTKEYF_EXT, 0x27), table), HOTKEY_INCPBRATE);
    EXPECT_EQ(KeyDownHotKey(MakeHotKey(HOTKEYF_EXT, 0x26), table), HOTKEY_INCVOL);
    EXPECT_EQ(KeyDownHotKey(MakeHotKey(0, 0x1B), table), HOTKEY_HIDE);
    // Key-up actions are not key-down actions and back.
    EXPECT_EQ(KeyDownHotKey(MakeHotKey(0, 'M'), table), HOTKEY_COUNT);
    EXPECT_EQ(KeyUpHotKey(MakeHotKey(0, 0x1B), table), HOTKEY_COUNT);
    // The keypad's right arrow is not the separate one.
    EXPECT_EQ(KeyUpHotKey(MakeHotKey(0, 0x27), table), HOTKEY_COUNT);
    // The normal-rate key (End) acts on release.
    EXPECT_EQ(KeyUpHotKey(table[HOTKEY_NORPBRATE], table), HOTKEY_NORPBRATE);
    EXPECT_EQ(KeyDownHotKey(table[HOTKEY_NORPBRATE], table), HOTKEY_COUNT);
}

TEST(HotKeyDispatchTest, DuplicateKeysTriggerOnlyTheFirstInOrder)
{
    HotKeyTable table = DefaultHotKeys();
    const HotKeyCode key = MakeHotKey(HOTKEYF_CONTROL, 'Q');
    table[HOTKEY_ALWAYSONTOP] = key;
    table[HOTKEY_STOP] = key;
    table[HOTKEY_MUTE] = key;
    EXPECT_EQ(KeyUpHotKey(key, table), HOTKEY_MUTE);
    table[HOTKEY_DECPBRATE] = key;
    EXPECT_EQ(KeyUpHotKey(key, table), HOTKEY_DECPBRATE);

    // The normal-rate key is compared right after the other rate keys.
    const HotKeyCode end = MakeHotKey(HOTKEYF_EXT, 0x23);
    table[HOTKEY_LOADUNLOAD] = end;
    table[HOTKEY_NORPBRATE] = end;
    EXPECT_EQ(KeyUpHotKey(end, table), HOTKEY_NORPBRATE);
    table[HOTKEY_INCPBRATE] = end;
    EXPECT_EQ(KeyUpHotKey(end, table), HOTKEY_INCPBRATE);

    table[HOTKEY_HIDE] = key;
    table[HOTKEY_DECVOL] = key;
    EXPECT_EQ(KeyDownHotKey(key, table), HOTKEY_DECVOL);
}

TEST(HotKeyDispatchTest, AnUnassignedKeyMatchesNothing)
{
    HotKeyTable table = DefaultHotKeys();
    table[HOTKEY_MUTE] = 0;
    table[HOTKEY_HIDE] = 0;
    EXPECT_EQ(KeyUpHotKey(0, table), HOTKEY_COUNT);
    EXPECT_EQ(KeyDownHotKey(0, table), HOTKEY_COUNT);
}

TEST(ResizeBandTest, BandIsSixPixelsAndCornersTwentyDeep)
{
    const QRect window(100, 50, 403, 280);  // right edge x 502, bottom y 329
    EXPECT_EQ(BorderHitTest(window, {100, 200}), HT_LEFT);
    EXPECT_EQ(BorderHitTest(window, {105, 200}), HT_LEFT);
    EXPECT_EQ(BorderHitTest(window, {106, 200}), HT_NOWHERE);
    EXPECT_EQ(BorderHitTest(window, {107, 200}), HT_NOWHERE);  // 7 pixels in
    EXPECT_EQ(BorderHitTest(window, {502, 200}), HT_RIGHT);
    EXPECT_EQ(BorderHitTest(window, {497, 200}), HT_RIGHT);
    EXPECT_EQ(BorderHitTest(window, {496, 200}), HT_NOWHERE);
    EXPECT_EQ(BorderHitTest(window, {300, 50}), HT_TOP);
    EXPECT_EQ(BorderHitTest(window, {300, 55}), HT_TOP);
    EXPECT_EQ(BorderHitTest(window, {300, 56}), HT_NOWHERE);
    EXPECT_EQ(BorderHitTest(window, {300, 329}), HT_BOTTOM);
    EXPECT_EQ(BorderHitTest(window, {300, 324}), HT_BOTTOM);
    EXPECT_EQ(BorderHitTest(window, {300, 323}), HT_NOWHERE);
    EXPECT_EQ(BorderHitTest(window, {503, 200}), HT_NOWHERE);  // outside

    // Corner strips reach 20 pixels along each side.
    EXPECT_EQ(BorderHitTest(window, {119, 50}), HT_TOPLEFT);
    EXPECT_EQ(BorderHitTest(window, {120, 50}), HT_TOP);
    EXPECT_EQ(BorderHitTest(window, {100, 69}), HT_TOPLEFT);
    EXPECT_EQ(BorderHitTest(window, {100, 70}), HT_LEFT);
    EXPECT_EQ(BorderHitTest(window, {483, 52}), HT_TOPRIGHT);
    EXPECT_EQ(BorderHitTest(window, {101, 310}), HT_BOTTOMLEFT);
    EXPECT_EQ(BorderHitTest(window, {500, 320}), HT_BOTTOMRIGHT);
}

TEST(ResizeBandTest, CursorsEdgesAndManualSizing)
{
    EXPECT_EQ(CursorForHit(HT_LEFT), Qt::SizeHorCursor);
    EXPECT_EQ(CursorForHit(HT_BOTTOM), Qt::SizeVerCursor);
    EXPECT_EQ(CursorForHit(HT_TOPLEFT), Qt::SizeFDiagCursor);
    EXPECT_EQ(CursorForHit(HT_BOTTOMRIGHT), Qt::SizeFDiagCursor);
    EXPECT_EQ(CursorForHit(HT_TOPRIGHT), Qt::SizeBDiagCursor);
    EXPECT_EQ(CursorForHit(HT_NOWHERE), Qt::ArrowCursor);
    EXPECT_EQ(EdgesForHit(HT_BOTTOMLEFT), Qt::BottomEdge | Qt::LeftEdge);

    const QRect start(100, 100, 500, 300);
    EXPECT_EQ(ResizedRect(start, Qt::RightEdge | Qt::BottomEdge, {20, 10}, {403, 70}), QRect(100, 100, 520, 310));
    // The left edge stops where the minimum width is reached; the right
    // edge stays put.
    EXPECT_EQ(ResizedRect(start, Qt::LeftEdge, {200, 0}, {403, 70}), QRect(197, 100, 403, 300));
    EXPECT_EQ(ResizedRect(start, Qt::TopEdge, {0, 500}, {403, 70}), QRect(100, 330, 500, 70));
}

TEST(ControlRulesTest, ButtonsReleaseTestsMenusAndTips)
{
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 20, 21, 22, 23, 24})
        EXPECT_TRUE(IsButtonControl(id)) << id;
    for (int id : {0, 13, 17, 18, 19})
        EXPECT_FALSE(IsButtonControl(id)) << id;
    for (int id : {1, 7, 12, 14, 15})
        EXPECT_TRUE(NeedsReleaseOnControl(id)) << id;
    for (int id : {16, 20, 21, 22, 23, 24})
        EXPECT_FALSE(NeedsReleaseOnControl(id)) << id;
    for (int id : {0, 17, 18, 19, 22, 23, 24})
        EXPECT_TRUE(RightClickOpensMenu(id)) << id;
    for (int id : {1, 12, 14, 16, 20, 21})
        EXPECT_FALSE(RightClickOpensMenu(id)) << id;
    EXPECT_EQ(ToolTipStringId(MC_PLAYLIST), 152);
    EXPECT_EQ(ToolTipStringId(MC_SHUFFLE), 215);
    EXPECT_EQ(ToolTipStringId(MC_TIME), 0);
}

TEST(TrayActivationTest, SingleClickStandsInForDoubleClickOnlyOnStatusNotifierHosts)
{
    EXPECT_EQ(TrayMouseFromActivation(QSystemTrayIcon::DoubleClick, false), TrayMouse::DoubleClick);
    EXPECT_EQ(TrayMouseFromActivation(QSystemTrayIcon::Trigger, false), TrayMouse::Other);
    EXPECT_EQ(TrayMouseFromActivation(QSystemTrayIcon::Trigger, true), TrayMouse::DoubleClick);
    EXPECT_EQ(TrayMouseFromActivation(QSystemTrayIcon::Context, true), TrayMouse::RightButtonUp);
    EXPECT_EQ(TrayMouseFromActivation(QSystemTrayIcon::MiddleClick, false), TrayMouse::Other);
}

namespace {

void ExpectEveryMenuItemHasACommand(const CMenuItem& menu)
{
    for (const CMenuItem& item : menu.children) {
        if (item.kind == CMenuItem::Kind::Command) {
            EXPECT_NE(FindCommandById(item.id), nullptr) << item.text.toStdString();
        }
        ExpectEveryMenuItemHasACommand(item);
    }
}

}  // namespace

TEST(CommandTableTest, EveryMenuItemAndButtonRunsExactlyOneCommand)
{
    CMenuState state;
    state.loaded = state.hasVideo = state.hasAudio = state.playing = true;
    ExpectEveryMenuItemHasACommand(BuildTrayMenu(state));
    ExpectEveryMenuItemHasACommand(BuildFullScreenMenu(state));
    ExpectEveryMenuItemHasACommand(BuildSortMenu(state));

    // The seek bar and the volume knob are sliders, not commands.
    for (int control = MC_MAXIMIZE; control <= MC_SHUFFLE; ++control) {
        if (IsButtonControl(control) && control != MC_SEEK && control != MC_VOLUME) {
            EXPECT_NE(FindCommandByControl(control), nullptr) << control;
        }
    }

    std::set<int> ids, controls;
    std::set<Command> names;
    for (const CCommand& row : CommandTable()) {
        EXPECT_TRUE(names.insert(row.name).second);
        EXPECT_TRUE(row.id == 0 || ids.insert(row.id).second) << row.id;
        EXPECT_TRUE(row.control == 0 || controls.insert(row.control).second) << row.control;
    }
}

TEST(CommandTableTest, EveryMenuItemLooksAsItsRowSays)
{
    // Every combination of what the rows' rules read, each shutdown mode
    // and both kinds of skin among them.
    constexpr int kFlags = 12;
    for (int bits = 0; bits < (1 << kFlags); ++bits) {
        const auto flag = [bits](int n) { return (bits >> n & 1) != 0; };
        CMenuState state;
        state.loaded = flag(0);
        state.hasVideo = flag(1);
        state.hasAudio = flag(2);
        state.playing = flag(3);
        state.paused = flag(4);
        state.stopped = flag(5);
        state.muted = flag(6);
        state.repeat = flag(7);
        state.topMost = flag(8);
        state.mainWindowVisible = flag(9);
        state.fullScreen = flag(10);
        state.skin = flag(11) ? 0 : 2;
        state.shutdownMode = bits % 4;

        const CMenuItem menus[] = {state.fullScreen ? BuildFullScreenMenu(state) : BuildTrayMenu(state),
                                   BuildSortMenu(state)};
        for (const CCommand& row : CommandTable()) {
            for (const CMenuItem& menu : menus) {
                const CMenuItem* item = row.id ? menu.Find(row.id) : nullptr;
                if (!item)
                    continue;
                SCOPED_TRACE(testing::Message() << "command " << row.id << ", state " << bits);
                EXPECT_TRUE(row.menu.IsShown(state));
                EXPECT_FALSE(item->text.isEmpty());
                EXPECT_EQ(item->text, row.menu.Text(state));
                EXPECT_EQ(item->enabled, row.menu.IsEnabled(state));
                EXPECT_EQ(item->checked, row.menu.IsChecked(state));
            }
        }
    }
}
