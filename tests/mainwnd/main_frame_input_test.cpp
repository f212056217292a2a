// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse, wheel, keyboard and dropped files on the main window, with real
// events on the offscreen platform and an engine on scripted graphs.
#include "main_frame_fixture.h"

#include "mainwnd/command_ids.h"
#include "skin/skin_ids.h"

#include <QDropEvent>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QMimeData>

namespace {

const QPoint kOffControls(200, 100);  // inside the video area

}  // namespace

using MainFrameButtonTest = MainFrameTest;

TEST_F(MainFrameButtonTest, PressedLookFollowsThePointer)
{
    const QPoint on = ControlCenter(MC_REPEAT);
    Press(on);
    EXPECT_EQ(Main().HotControl(), MC_REPEAT);
    EXPECT_EQ(Main().CapturedControl(), MC_REPEAT);
    Move(kOffControls);
    EXPECT_EQ(Main().HotControl(), 0);
    EXPECT_EQ(Main().CapturedControl(), MC_REPEAT);
    Move(on);
    EXPECT_EQ(Main().HotControl(), MC_REPEAT);
    Release(on);
    EXPECT_EQ(Main().HotControl(), 0);
    EXPECT_EQ(Main().CapturedControl(), 0);
    EXPECT_TRUE(Engine().IsRepeat());
}

TEST_F(MainFrameButtonTest, ButtonsOneToFifteenActOnlyWhenReleasedOnThemselves)
{
    AddRows(1);
    OpenRow(0);
    // Released elsewhere without a move in between: the release point decides.
    for (int id : {MC_REPEAT, MC_MUTE, MC_TOPMOST, MC_STOP, MC_MAXIMIZE}) {
        Press(ControlCenter(id));
        Release(kOffControls);
    }
    // Moved off first: the button springs back and nothing happens.
    Press(ControlCenter(MC_CLOSE));
    Move(kOffControls);
    Release(kOffControls);

    EXPECT_FALSE(Engine().IsRepeat());
    EXPECT_FALSE(Engine().IsMuted());
    EXPECT_FALSE(m_settings.TopMost);
    EXPECT_TRUE(Engine().IsPlaying());
    EXPECT_FALSE(Main().isMaximized());
    EXPECT_TRUE(Main().isVisible());
}

TEST_F(MainFrameButtonTest, ButtonsTwentyToTwentyFourActWhereverReleased)
{
    AddRows(3);
    OpenRow(0);
    Press(ControlCenter(MC_NEXT));
    Release(kOffControls);
    EXPECT_EQ(m_playlist.GetCurrent(), 1);

    Press(ControlCenter(MC_PREVIOUS));
    Release(ControlCenter(MC_NEXT));
    EXPECT_EQ(m_playlist.GetCurrent(), 0);

    Press(ControlCenter(MC_PLAYLIST));
    Release(kOffControls);
    EXPECT_TRUE(m_pPlaylistFrame->isVisible());
    EXPECT_EQ(m_settings.PLShow, 1);
    Click(MC_PLAYLIST);
    EXPECT_FALSE(m_pPlaylistFrame->isVisible());
    EXPECT_EQ(m_settings.PLShow, 0);  // hidden by the user: not shown at the next start

    // Moving off still cancels them.
    Press(ControlCenter(MC_NEXT));
    Move(kOffControls);
    Release(kOffControls);
    EXPECT_EQ(m_playlist.GetCurrent(), 0);
    // Moving back on before the release goes on to the next clip.
    Press(ControlCenter(MC_NEXT));
    Move(kOffControls);
    Move(ControlCenter(MC_NEXT));
    Release(ControlCenter(MC_NEXT));
    EXPECT_EQ(m_playlist.GetCurrent(), 1);
}

TEST_F(MainFrameButtonTest, PlayPauseResetsAChangedRateBeforeAnythingElse)
{
    AddRows(1);
    OpenRow(0);
    Engine().SetRate(1.5);
    Click(MC_PLAYPAUSE);
    EXPECT_DOUBLE_EQ(Engine().Rate(), 1.0);
    EXPECT_TRUE(Engine().IsPlaying());

    Click(MC_PLAYPAUSE);
    EXPECT_TRUE(Engine().IsPaused());
    Click(MC_PLAYPAUSE);
    EXPECT_TRUE(Engine().IsPlaying());
}

TEST_F(MainFrameButtonTest, PlayPauseWithNothingLoadedPlaysTheSelectedRow)
{
    AddRows(3);
    m_playlist.m_nSelected = 2;
    Click(MC_PLAYPAUSE);
    EXPECT_EQ(m_playlist.GetCurrent(), 2);
    EXPECT_TRUE(Engine().IsPlaying());
}

TEST_F(MainFrameButtonTest, FastSlowAndFullScreenOnlyWhilePlaying)
{
    AddRows(1);
    OpenRow(0);
    Engine().Pause();
    Click(MC_FAST);
    Click(MC_FULLSCREEN);
    EXPECT_DOUBLE_EQ(Engine().Rate(), 1.0);
    EXPECT_FALSE(Engine().IsFullScreen());

    Engine().Play();
    Click(MC_FAST);
    EXPECT_NEAR(Engine().Rate(), 1.1, 1e-9);
    Click(MC_SLOW);
    Click(MC_SLOW);
    EXPECT_NEAR(Engine().Rate(), 0.9, 1e-9);
    Click(MC_FULLSCREEN);
    EXPECT_TRUE(Engine().IsFullScreen());
}

TEST_F(MainFrameButtonTest, ShuffleSwitchesClipRepeatOff)
{
    Engine().ToggleRepeat();
    Click(MC_SHUFFLE);
    EXPECT_EQ(m_settings.Shuffle, 1);
    EXPECT_FALSE(Engine().IsRepeat());
    // Switching shuffle off leaves repeat alone.
    Engine().ToggleRepeat();
    Click(MC_SHUFFLE);
    EXPECT_EQ(m_settings.Shuffle, 0);
    EXPECT_TRUE(Engine().IsRepeat());
}

TEST_F(MainFrameButtonTest, StopThenStopAgainClosesTheClip)
{
    AddRows(1);
    OpenRow(0);
    Click(MC_STOP);
    EXPECT_TRUE(Engine().IsStopped());
    Click(MC_STOP);
    EXPECT_FALSE(Engine().IsLoaded());
}

TEST_F(MainFrameButtonTest, SeekClickPositionsTheClipOnlyWhenLoaded)
{
    const QRect bar = ControlRect(MC_SEEK);
    const QPoint quarter(bar.left() + bar.width() / 4, bar.center().y());
    Press(quarter);
    Release(quarter);
    EXPECT_EQ(m_script.calls.filter(QStringLiteral("SetPosition")).size(), 0);

    AddRows(1);
    OpenRow(0);
    Press(quarter);
    Release(quarter);
    const LONGLONG expected = m_script.duration * (bar.width() / 4) / bar.width();
    EXPECT_TRUE(m_script.calls.contains(QStringLiteral("SetPosition %1").arg(expected)));
}

TEST_F(MainFrameButtonTest, VolumeKnobFollowsThePointer)
{
    // The knob follows a pointer that moves the way a hand does, a few
    // pixels at a time.
    const int w = Main().width();
    const int y = ControlCenter(MC_VOLUME).y();
    int x = ControlCenter(MC_VOLUME).x();
    Press(QPoint(x, y));
    for (; x > w - 67 - 30; --x)
        Move(QPoint(x - 1, y));
    EXPECT_EQ(Engine().GetVolume(), -30 * (4000 / 59));
    for (; x > w - 140; x -= 2)
        Move(QPoint(x - 2, y));
    EXPECT_EQ(Engine().GetVolume(), -59 * (4000 / 59));  // left of W - 126: the quietest level
    EXPECT_EQ(Main().HotControl(), 0);                   // the knob stopped, the pointer went on
    Release(QPoint(x, y));

    // Pressing the knob changes nothing until it is moved.
    Engine().SetVolume(-300);
    Click(MC_VOLUME);
    EXPECT_EQ(Engine().GetVolume(), -300);
}

TEST_F(MainFrameButtonTest, HideAndMinimizeButtons)
{
    m_pPlaylistFrame->show();
    Click(MC_HIDE);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_FALSE(m_pPlaylistFrame->isVisible());
    EXPECT_FALSE(m_pOwner->isVisible());
}

using MainFrameMouseTest = MainFrameTest;

TEST_F(MainFrameMouseTest, RightClickMenuExceptOnButtonsOneToTwentyOne)
{
    for (int id : {MC_PREVIOUS, MC_NEXT, MC_SHUFFLE}) {
        Press(ControlCenter(id), Qt::RightButton);
        Release(ControlCenter(id), Qt::RightButton);
    }
    Release(kOffControls, Qt::RightButton);
    EXPECT_EQ(m_menus.m_menus.size(), 4u);

    for (int id : {MC_PLAYPAUSE, MC_REPEAT, MC_VOLUME, MC_OPTIONS, MC_PLAYLIST, MC_CLOSE})
        Release(ControlCenter(id), Qt::RightButton);
    EXPECT_EQ(m_menus.m_menus.size(), 4u);
}

TEST_F(MainFrameMouseTest, TheChosenMenuItemArrivesAsTheCommand)
{
    m_menus.m_nChoice = ID_REPEAT;
    Release(kOffControls, Qt::RightButton);
    EXPECT_TRUE(Engine().IsRepeat());
    m_menus.m_nChoice = ID_SHUTDOWN_CLIP_END;
    Release(kOffControls, Qt::RightButton);
    EXPECT_EQ(m_settings.m_nShutdownMode, SHUTDOWN_CLIP_END);
}

TEST_F(MainFrameMouseTest, DraggingByTheTitleMovesTheWindowUnlessMaximized)
{
    const QPoint title(60, 14);
    const QPoint start = Main().pos();
    Press(title);
    EXPECT_TRUE(Main().IsDragging());
    Move(title + QPoint(30, 20));
    EXPECT_EQ(Main().pos(), start + QPoint(30, 20));
    Release(title + QPoint(30, 20));
    EXPECT_FALSE(Main().IsDragging());

    // A burst: the pointer moves 10 pixels, and a second event for the same
    // pointer position arrives with a window position from before the move.
    const QPoint from = Main().pos();
    const QPoint pointer = Main().mapToGlobal(title);
    Press(title);
    for (int i = 0; i < 2; ++i) {
        QMouseEvent burst(QEvent::MouseMove, QPointF(title + QPoint(10, 0)), QPointF(pointer + QPoint(10, 0)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Main(), &burst);
    }
    EXPECT_EQ(Main().pos(), from + QPoint(10, 0));
    Release(title);

    Main().showMaximized();
    const QPoint maximized = Main().pos();
    Press(title);
    Move(title + QPoint(30, 20));
    EXPECT_EQ(Main().pos(), maximized);
    Release(title + QPoint(30, 20));
}

TEST_F(MainFrameMouseTest, BorderBandIsSixPixels)
{
    // Seven pixels in from the left edge: an ordinary point, a window drag.
    Press(QPoint(7, 150));
    EXPECT_TRUE(Main().IsDragging());
    Release(QPoint(7, 150));

    // Inside the band the window is sized, not dragged.
    const QRect before = Main().geometry();
    Press(QPoint(Main().width() - 3, 150));
    EXPECT_FALSE(Main().IsDragging());
    Move(QPoint(Main().width() - 3 + 40, 150));
    Release(QPoint(Main().width() - 3, 150));
    EXPECT_EQ(Main().geometry(), QRect(before.topLeft(), before.size() + QSize(40, 0)));

    // Never below the skin's minimum.
    Press(QPoint(150, Main().height() - 2));
    Move(QPoint(150, -400));
    Release(QPoint(150, 0));
    EXPECT_EQ(Main().height(), 70);
    EXPECT_EQ(Main().pos(), before.topLeft());
}

TEST_F(MainFrameMouseTest, SizingCursorsInTheBand)
{
    Move(QPoint(2, 2), Qt::NoButton);
    EXPECT_EQ(Main().cursor().shape(), Qt::SizeFDiagCursor);
    Move(QPoint(Main().width() - 2, 150), Qt::NoButton);
    EXPECT_EQ(Main().cursor().shape(), Qt::SizeHorCursor);
    Move(QPoint(200, 150), Qt::NoButton);
    EXPECT_EQ(Main().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainFrameMouseTest, DoubleClickRules)
{
    // Empty video area with nothing loaded: play, which with an empty
    // playlist asks for a file.
    DoubleClick(kOffControls);
    EXPECT_EQ(m_prompt.m_filters.isEmpty(), false);

    AddRows(1);
    DoubleClick(kOffControls);
    EXPECT_TRUE(Engine().IsPlaying());
    DoubleClick(kOffControls);
    EXPECT_TRUE(Engine().IsFullScreen());
    DoubleClick(kOffControls);
    EXPECT_FALSE(Engine().IsFullScreen());

    DoubleClick(ControlCenter(MC_TITLE));
    EXPECT_TRUE(Main().isMaximized());
    DoubleClick(ControlCenter(MC_TITLE));
    EXPECT_FALSE(Main().isMaximized());

    // On a button a double-click is a press and a release.
    DoubleClick(ControlCenter(MC_REPEAT));
    EXPECT_TRUE(Engine().IsRepeat());
}

TEST_F(MainFrameMouseTest, WheelStepsTheVolume)
{
    Engine().SetVolume(-1000);
    Wheel(120);
    EXPECT_EQ(Engine().GetVolume(), -700);
    Wheel(-240);
    EXPECT_EQ(Engine().GetVolume(), -1300);
    Wheel(0);
    EXPECT_EQ(Engine().GetVolume(), -1300);
    // A touchpad's ten small deltas are one notch.
    for (int i = 0; i < 10; ++i)
        Wheel(12);
    EXPECT_EQ(Engine().GetVolume(), -1000);
}

TEST_F(MainFrameMouseTest, ToolTipsNameTheControlsExceptInFullScreen)
{
    QHelpEvent next(QEvent::ToolTip, ControlCenter(MC_NEXT), Main().mapToGlobal(ControlCenter(MC_NEXT)));
    QApplication::sendEvent(&Main(), &next);
    EXPECT_EQ(Main().TipText(), QStringLiteral("Next"));
    QHelpEvent playlist(QEvent::ToolTip, ControlCenter(MC_PLAYLIST), QPoint());
    QApplication::sendEvent(&Main(), &playlist);
    EXPECT_EQ(Main().TipText(), QStringLiteral("Open Playlist"));

    AddRows(1);
    OpenRow(0);
    Engine().ToggleFullScreen();
    QHelpEvent stop(QEvent::ToolTip, ControlCenter(MC_STOP), QPoint());
    QApplication::sendEvent(&Main(), &stop);
    EXPECT_EQ(Main().TipText(), QStringLiteral("Open Playlist"));
}

TEST_F(MainFrameMouseTest, ThreeDroppedFilesReplaceThePlaylistWithRowZeroPlaying)
{
    AddRows(5);
    QList<QUrl> urls;
    // The last one lies deeper than 259 characters: Linux paths have no such
    // limit and a cut path would name another file.
    const QString deep = QString(150, u'd') + u'/' + QString(150, u'e');
    ASSERT_TRUE(QDir(m_strFolder).mkpath(deep));
    for (const QString& name :
         {QStringLiteral("a.avi"), QStringLiteral("b.mp3"), deep + QStringLiteral("/c.mkv")}) {
        const QString path = m_strFolder + u'/' + name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        urls << QUrl::fromLocalFile(path);
    }
    urls << QUrl(QStringLiteral("https://example.org/remote.avi"));
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(200, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Main(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(200, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Main(), &drop);

    ASSERT_EQ(m_playlist.GetCount(), 3);
    EXPECT_TRUE(m_playlist.GetRow(0).m_strPath.endsWith(QStringLiteral("a.avi")));
    EXPECT_EQ(m_playlist.GetRow(2).m_strPath, urls[2].toLocalFile());
    EXPECT_EQ(m_playlist.GetCurrent(), 0);
    EXPECT_TRUE(Engine().IsPlaying());
    EXPECT_EQ(m_script.renderedPaths.last(), m_playlist.GetRow(0).m_strPath);
}

using MainFrameKeyTest = MainFrameTest;

TEST_F(MainFrameKeyTest, DefaultHotKeysForMuteRepeatStopAndPause)
{
    AddRows(1);
    OpenRow(0);
    Key(Qt::Key_M);
    EXPECT_TRUE(Engine().IsMuted());
    Key(Qt::Key_R);
    EXPECT_TRUE(Engine().IsRepeat());
    Key(Qt::Key_Space);
    EXPECT_TRUE(Engine().IsPaused());
    Key(Qt::Key_P);
    EXPECT_TRUE(Engine().IsPlaying());
    Key(Qt::Key_S);
    EXPECT_TRUE(Engine().IsStopped());
    Key(Qt::Key_S);
    EXPECT_FALSE(Engine().IsLoaded());
}

TEST_F(MainFrameKeyTest, KeyUpActsOnceAndIgnoresAutoRepeat)
{
    KeyDown(Qt::Key_R);
    EXPECT_FALSE(Engine().IsRepeat());  // key-up actions wait for the release
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_R, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&Main(), &repeated);
    EXPECT_FALSE(Engine().IsRepeat());
    KeyUp(Qt::Key_R);
    EXPECT_TRUE(Engine().IsRepeat());
}

TEST_F(MainFrameKeyTest, DuplicateHotKeyTriggersOnlyTheFirstInOrder)
{
    AddRows(1);
    OpenRow(0);
    const HotKeyCode ctrlQ = MakeHotKey(HOTKEYF_CONTROL, 'Q');
    m_settings.m_hotKeys[HOTKEY_STOP] = ctrlQ;
    m_settings.m_hotKeys[HOTKEY_MUTE] = ctrlQ;
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(Engine().IsMuted());
    EXPECT_TRUE(Engine().IsPlaying());
}

TEST_F(MainFrameKeyTest, VolumeKeysActOnKeyDownAndRepeat)
{
    Engine().SetVolume(-2000);
    KeyDown(Qt::Key_Up);
    KeyDown(Qt::Key_Up);
    EXPECT_EQ(Engine().GetVolume(), -1400);
    KeyDown(Qt::Key_Down);
    EXPECT_EQ(Engine().GetVolume(), -1700);
    // The keypad's arrow is another key.
    KeyDown(Qt::Key_Up, Qt::KeypadModifier);
    EXPECT_EQ(Engine().GetVolume(), -1700);
}

TEST_F(MainFrameKeyTest, HideKeyLeavesFullScreenFirst)
{
    AddRows(1);
    OpenRow(0);
    Engine().ToggleFullScreen();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Engine().IsFullScreen());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_FALSE(m_pOwner->isVisible());
}

TEST_F(MainFrameKeyTest, RateAndZoomKeys)
{
    AddRows(1);
    OpenRow(0);
    Key(Qt::Key_Right);
    EXPECT_NEAR(Engine().Rate(), 1.1, 1e-9);
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    EXPECT_NEAR(Engine().Rate(), 0.9, 1e-9);
    Key(Qt::Key_Equal);
    EXPECT_EQ(Engine().Zoom(), 6);
    Key(Qt::Key_Minus);
    Key(Qt::Key_Minus);
    EXPECT_EQ(Engine().Zoom(), 4);
    Key(Qt::Key_0);
    EXPECT_EQ(Engine().Zoom(), 5);
}

TEST_F(MainFrameKeyTest, SkinAndAlwaysOnTopKeys)
{
    Key(Qt::Key_A);
    EXPECT_EQ(m_settings.TopMost, 1);
    EXPECT_TRUE(Main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    Key(Qt::Key_X);
    EXPECT_TRUE(m_settings.m_bSkinSwitchFlag);
    Key(Qt::Key_X);
    EXPECT_FALSE(m_settings.m_bSkinSwitchFlag);
}
