// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands, skin switching, the owner window, the tray's
// events and the exit path.
#include "main_frame_fixture.h"

#include "mainwnd/about_dlg.h"
#include "mainwnd/command_ids.h"
#include "mainwnd/copy_data.h"
#include "mainwnd/dlg_minute.h"
#include "settings/hot_keys.h"
#include "settings/language.h"
#include "settings/localized_strings.h"
#include "settings/string_table.h"
#include "preferences/preference_dlg.h"
#include "settings/string_ids.h"
#include "skin/skin_ids.h"
#include "skin/sprite_layout.h"

#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

using MainFrameCommandTest = MainFrameTest;

TEST_F(MainFrameCommandTest, RateCommandsCarriedByNoMenu)
{
    AddRows(1);
    OpenRow(0);
    Main().OnCommand(ID_RATE_DOUBLE);
    EXPECT_DOUBLE_EQ(Engine().Rate(), 2.0);
    Main().OnCommand(ID_RATE_HALF);
    EXPECT_DOUBLE_EQ(Engine().Rate(), 0.5);
    Main().OnCommand(ID_RATE_INCREASE);
    EXPECT_NEAR(Engine().Rate(), 0.6, 1e-9);
    Main().OnCommand(ID_RATE_DECREASE);
    Main().OnCommand(ID_RATE_DECREASE);
    EXPECT_NEAR(Engine().Rate(), 0.4, 1e-9);
    Main().OnCommand(ID_RATE_NORMAL);
    EXPECT_DOUBLE_EQ(Engine().Rate(), 1.0);
}

TEST_F(MainFrameCommandTest, TransportAndZoomCommands)
{
    AddRows(2);
    OpenRow(0);
    Main().OnCommand(ID_PAUSE);
    EXPECT_TRUE(Engine().IsPaused());
    Main().OnCommand(ID_PLAY);
    EXPECT_TRUE(Engine().IsPlaying());
    Main().OnCommand(ID_STOP);
    EXPECT_TRUE(Engine().IsStopped());
    Main().OnCommand(ID_ZOOM_DOUBLE);
    EXPECT_EQ(Engine().Zoom(), 10);
    Main().OnCommand(ID_ZOOM_HALF);
    EXPECT_EQ(Engine().Zoom(), 2);
    Main().OnCommand(ID_NEXT);
    EXPECT_EQ(m_playlist.GetCurrent(), 1);
    Main().OnCommand(ID_CLOSE_CLIP);
    EXPECT_FALSE(Engine().IsLoaded());
}

TEST_F(MainFrameCommandTest, PlayWhilePlayingAsksForAFileAndLeavesFullScreenFirst)
{
    AddRows(1);
    OpenRow(0);
    Engine().ToggleFullScreen();
    m_prompt.m_files = {m_strFolder + QStringLiteral("/chosen.avi")};
    QFile(m_prompt.m_files[0]).open(QIODevice::WriteOnly);
    Main().PlayAction();
    EXPECT_FALSE(m_prompt.m_filters.isEmpty());
    ASSERT_EQ(m_playlist.GetCount(), 1);
    EXPECT_TRUE(m_playlist.GetRow(0).m_strPath.endsWith(QStringLiteral("chosen.avi")));
    EXPECT_TRUE(Engine().IsPlaying());
    EXPECT_FALSE(Engine().IsFullScreen());
}

TEST_F(MainFrameCommandTest, OpenClipInFullScreenReturnsToFullScreen)
{
    AddRows(1);
    OpenRow(0);
    Engine().ToggleFullScreen();
    m_prompt.m_files = {m_strFolder + QStringLiteral("/other.avi")};
    QFile(m_prompt.m_files[0]).open(QIODevice::WriteOnly);
    Main().OpenClipAction();
    EXPECT_TRUE(Engine().IsPlaying());
    EXPECT_TRUE(Engine().IsFullScreen());

    // A cancelled dialog changes nothing.
    m_prompt.m_files.clear();
    Main().OpenClipAction();
    EXPECT_TRUE(Engine().IsPlaying());
}

TEST_F(MainFrameCommandTest, StepTrackStopsAtTheEndsWithoutShuffle)
{
    Main().StepTrackAction(true);  // empty playlist: nothing, in either mode
    m_settings.Shuffle = 1;
    Main().StepTrackAction(false);
    EXPECT_EQ(m_script.graphsCreated, 0);

    m_settings.Shuffle = 0;
    AddRows(2);
    OpenRow(1);
    Main().StepTrackAction(true);
    EXPECT_EQ(m_playlist.GetCurrent(), 1);
    EXPECT_TRUE(Engine().IsPlaying());
    Main().StepTrackAction(false);
    Main().StepTrackAction(false);
    EXPECT_EQ(m_playlist.GetCurrent(), 0);
}

TEST_F(MainFrameCommandTest, ShuffleStepsUseThePlaylistsRandomSource)
{
    AddRows(7);
    OpenRow(3);
    m_settings.Shuffle = 1;
    m_playlist.m_random.Seed(42);
    CPlaylistRandom expected;
    expected.Seed(42);
    Main().StepTrackAction(false);
    EXPECT_EQ(m_playlist.GetCurrent(), expected.Next() % 7);
    Main().StepTrackAction(true);
    EXPECT_EQ(m_playlist.GetCurrent(), expected.Next() % 7);
}

TEST_F(MainFrameCommandTest, HelpCommandsOpenTheShippedPagesAndLeaveFullScreen)
{
    AddRows(1);
    OpenRow(0);
    Engine().ToggleFullScreen();
    for (int id : {ID_HOME_PAGE, ID_SUPPORT_FORUM, ID_FAQ, ID_DONATE})
        Main().OnCommand(id);
    EXPECT_FALSE(Engine().IsFullScreen());
    ASSERT_EQ(m_urls.m_urls.size(), 4);
    for (const QUrl& url : m_urls.m_urls) {
        ASSERT_TRUE(url.isLocalFile());
        QFile page(url.toLocalFile());
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << url.toString().toStdString();
        EXPECT_TRUE(page.readAll().contains("Velmora"));
    }
    EXPECT_TRUE(m_urls.m_urls[2].toLocalFile().endsWith(QStringLiteral("faq.html")));
}

TEST_F(MainFrameCommandTest, AboutBoxTextsAndAboutUsButton)
{
    int aboutUs = 0;
    CAboutDlg about(&Main(), [&] { ++aboutUs; });
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Velmora"));
    EXPECT_TRUE(about.HomePageLine()->text().startsWith(QStringLiteral("Home page")));
    EXPECT_FALSE(about.NoticeLine()->text().isEmpty());
    EXPECT_EQ(about.AboutUsButton()->text(), QStringLiteral("About us"));
    about.AboutUsButton()->click();
    EXPECT_EQ(aboutUs, 1);
}

TEST_F(MainFrameCommandTest, CountKeyBoxAndButtonTextsFollowTheLanguage)
{
    AddRows(2);
    m_playlist.UpdateStatus();
    ApplyInterfaceLanguage(1031);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    const CStringTable german = CStringTable::ForLanguage(1031);

    CAboutDlg about(&Main(), [] {});
    CDlgMinute minutes;
    const QString status = m_playlist.m_strStatus;
    const QString noKey = HotKeyText(0);
    ApplyInterfaceLanguage(LANG_ENGLISH_US);

    EXPECT_EQ(status, german.Text(229).replace(QStringLiteral("%d"), QStringLiteral("2")));
    EXPECT_EQ(noKey, german.Text(230));
    EXPECT_EQ(about.AboutUsButton()->text(), german.Text(231));
    EXPECT_EQ(minutes.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(), german.Text(227));
}

TEST_F(MainFrameCommandTest, AboutBoxHasAFixedSizeAndItsLinkReadsLeftToRightInHebrew)
{
    ApplyInterfaceLanguage(1037);
    CAboutDlg about(&Main(), [] {});
    ApplyInterfaceLanguage(1033);
    about.show();
    EXPECT_EQ(about.minimumSize(), about.maximumSize());

    // Laid out right to left as the label does, the address starts the line
    // on the left (its closing "/" used to come first).
    const QString text = about.HomePageLine()->text();
    QTextLayout layout(text, about.HomePageLine()->font());
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const int scheme = int(text.indexOf(QStringLiteral("https")));
    ASSERT_GE(scheme, 0);
    const QString leftmost = text.mid(line.xToCursor(line.cursorToX(text.size()) + 1), 4);
    EXPECT_TRUE(leftmost.contains(QStringLiteral("htt"))) << leftmost.toStdString();
}

TEST_F(MainFrameCommandTest, EndKeySetsTheNormalRate)
{
    AddRows(1);
    OpenRow(0);
    Main().OnCommand(ID_RATE_DOUBLE);
    KeyDown(Qt::Key_End);
    EXPECT_DOUBLE_EQ(Engine().Rate(), 2.0);
    KeyUp(Qt::Key_End);
    EXPECT_DOUBLE_EQ(Engine().Rate(), 1.0);
}

TEST_F(MainFrameCommandTest, ZoomResizesFromTheVideosOwnSizeAndStaysOnTheScreen)
{
    AddRows(1);
    OpenRow(0);
    // The plain look at the video's own size (320 x 240).
    Main().ToggleSkinOff();
    Main().resize(320, 240);
    Main().OnCommand(ID_ZOOM_DOUBLE);
    EXPECT_EQ(Main().GetVideoArea().size(), QSize(640, 480));
    Main().OnCommand(ID_ZOOM_HALF);
    EXPECT_EQ(Main().GetVideoArea().size(), QSize(160, 120));

    // Doubled, a wide video would not fit on the screen: it fits, in its own shape.
    m_script.videoWidth = 640;
    m_script.videoHeight = 360;
    Main().move(300, 200);
    const QRect screen = Main().screen()->availableGeometry();
    Main().OnCommand(ID_ZOOM_DOUBLE);
    EXPECT_TRUE(screen.contains(Main().geometry()))
        << Main().geometry().width() << "x" << Main().geometry().height();
    const QSize video = Main().GetVideoArea().size();
    EXPECT_TRUE(video.width() == screen.width() - 4 || video.height() == screen.height() - 4);
    EXPECT_NEAR(double(video.width()) / video.height(), 16.0 / 9.0, 0.01);
}

using MainFrameSkinTest = MainFrameTest;

TEST_F(MainFrameSkinTest, SwitchingTheSkinKeepsTheVideoInPlace)
{
    const QRect video = Main().GetVideoArea().translated(Main().pos());
    Main().ToggleSkinOff();
    EXPECT_TRUE(m_settings.m_bSkinSwitchFlag);
    EXPECT_EQ(m_settings.Skin, 2);
    EXPECT_EQ(Main().GetVideoArea().translated(Main().pos()), video);
    EXPECT_EQ(Main().geometry(), video.adjusted(-2, -2, 2, 2));
    EXPECT_EQ(Main().minimumSize(), QSize(40, 30));

    Main().ToggleSkinOff();
    EXPECT_FALSE(m_settings.m_bSkinSwitchFlag);
    EXPECT_EQ(Main().GetVideoArea().translated(Main().pos()), video);
    EXPECT_EQ(Main().geometry(), video.adjusted(-6, -23, 6, 49));
}

TEST_F(MainFrameSkinTest, PlainWindowTooSmallForTheSkinGrowsToTheMinimum)
{
    Main().ToggleSkinOff();
    Main().setGeometry(300, 200, 60, 40);
    Main().ToggleSkinOff();
    // The video was 56 x 36: the frame is widened to the minimum width.
    EXPECT_EQ(Main().geometry(), QRect(300 + 2 - 6, 200 + 2 - 23, 403, 36 + 23 + 49));
}

TEST_F(MainFrameSkinTest, NoSwitchWhileMaximizedOrInFullScreen)
{
    Main().showMaximized();
    Main().ToggleSkinOff();
    EXPECT_FALSE(m_settings.m_bSkinSwitchFlag);
    Main().showNormal();

    AddRows(1);
    OpenRow(0);
    Engine().ToggleFullScreen();
    Main().RunCommand(Command::SkinSwitch);
    EXPECT_FALSE(m_settings.m_bSkinSwitchFlag);
}

TEST_F(MainFrameSkinTest, PlaylistWindowReturnsAfterTheSkinComesBackWhenShown)
{
    m_settings.PLShow = 1;
    m_pPlaylistFrame->show();
    Main().ToggleSkinOff();
    EXPECT_FALSE(m_pPlaylistFrame->isVisible());
    Main().ToggleSkinOff();
    EXPECT_TRUE(m_pPlaylistFrame->isVisible());
}

TEST_F(MainFrameSkinTest, SkinCommandsChooseTheLook)
{
    Main().ToggleSkinOff();
    Main().OnCommand(ID_SKIN_BLUE_CURVE);
    EXPECT_FALSE(m_settings.m_bSkinSwitchFlag);
    EXPECT_EQ(m_settings.Skin, 1);
    EXPECT_EQ(Main().minimumSize(), QSize(403, 70));
    Main().OnCommand(ID_SKIN_NONE);
    EXPECT_TRUE(m_settings.m_bSkinSwitchFlag);
    EXPECT_EQ(m_settings.Skin, 2);
    EXPECT_EQ(Main().minimumSize(), QSize(40, 30));
}

// A skin folder of the user's own under `root`, with a sheet of the map's size.
void MakeUserSkin(const QString& root, const QString& name, const QByteArray& ini)
{
    const QString folder = root + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    QImage sheet(sprite::kSheetSize, QImage::Format_RGB32);
    sheet.fill(0x336699);
    ASSERT_TRUE(sheet.save(folder + QStringLiteral("/sheet.png")));
    QFile description(folder + QStringLiteral("/skin.ini"));
    ASSERT_TRUE(description.open(QIODevice::WriteOnly));
    description.write(ini);
}

class MainFrameSkinMenuTest : public MainFrameTest {
protected:
    // Opens the context menu, chooses `id` in it (0: none) and returns the
    // entry of the Skins popup that carried the mark; 0 for none, -1 when
    // more than one did.
    int ChooseInMenu(int id)
    {
        m_menus.m_nChoice = id;
        Main().ShowContextMenu(QPoint(10, 10));
        m_menus.m_nChoice = 0;
        const CMenuItem* skins = m_menus.m_menus.back().FindPopup(LoadLocalizedString(IDS_MENU_SKINS));
        if (!skins)
            return 0;
        int marked = 0;
        for (const CMenuItem& item : skins->children) {
            if (item.checked)
                marked = marked ? -1 : item.id;
        }
        return marked;
    }
    int Marked() { return ChooseInMenu(0); }
};

TEST_F(MainFrameSkinMenuTest, TheMarkFollowsTheLookThroughMenuChoicesAndTheSwitchKey)
{
    const QString root = m_strFolder + QStringLiteral("/skins");
    MakeUserSkin(root, QStringLiteral("dusk"), "[Skin]\nName=Dusk\n");
    Main().SetSkinRoots({root});
    const int dusk = ID_USER_SKIN_FIRST;
    const int kSwitchKey = -1;
    struct Step {
        int choice;  // a menu id, or kSwitchKey for the X key
        int marked;
        bool plain;
    };
    const Step steps[] = {
        {0, ID_SKIN_METAL_RED, false},
        {kSwitchKey, ID_SKIN_NONE, true},
        {kSwitchKey, ID_SKIN_METAL_RED, false},  // not left unmarked after two presses
        {ID_SKIN_BLUE_CURVE, ID_SKIN_BLUE_CURVE, false},
        {ID_SKIN_NONE, ID_SKIN_NONE, true},
        {kSwitchKey, ID_SKIN_BLUE_CURVE, false},  // back to the chosen bitmap skin
        {dusk, dusk, false},
        {kSwitchKey, ID_SKIN_NONE, true},
        {kSwitchKey, dusk, false},
        {ID_SKIN_METAL_RED, ID_SKIN_METAL_RED, false},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        if (steps[i].choice == kSwitchKey)
            Key(Qt::Key_X);
        else if (steps[i].choice != 0)
            ChooseInMenu(steps[i].choice);
        EXPECT_EQ(Marked(), steps[i].marked);
        EXPECT_EQ(Main().minimumSize() == QSize(40, 30), steps[i].plain);
    }
    const CMenuItem* entry = m_menus.m_menus.back().Find(dusk);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text, QStringLiteral("Dusk"));
    EXPECT_TRUE(entry->radio);
    EXPECT_TRUE(m_prompt.m_texts.isEmpty());
}

TEST_F(MainFrameSkinMenuTest, ASkinThatCannotBeShownIsReportedOnceAndMetalRedShown)
{
    const QString root = m_strFolder + QStringLiteral("/skins");
    MakeUserSkin(root, QStringLiteral("broken"), {});
    Main().SetSkinRoots({root});
    ASSERT_EQ(Marked(), ID_SKIN_METAL_RED);
    QFile::remove(root + QStringLiteral("/broken/sheet.png"));
    ChooseInMenu(ID_USER_SKIN_FIRST);
    Main().OnCommand(ID_SKIN_BLUE_CURVE);
    Main().OnCommand(ID_SKIN_METAL_RED);
    QCoreApplication::processEvents();
    ASSERT_EQ(m_prompt.m_texts.size(), 1);
    EXPECT_TRUE(m_prompt.m_texts[0].contains(root + QStringLiteral("/broken/sheet.png")));
    EXPECT_TRUE(m_settings.UserSkin.isEmpty());
    EXPECT_EQ(Marked(), ID_SKIN_METAL_RED);
}

TEST_F(MainFrameSkinTest, PaintsTheSkinWithABlackVideoArea)
{
    QImage image = Main().grab().toImage();
    const QRect video = Main().GetVideoArea();
    EXPECT_EQ(image.pixelColor(video.center()), QColor(Qt::black));
    // The frame is drawn: the title bar is not black.
    EXPECT_NE(image.pixelColor(QPoint(60, 3)), QColor(Qt::black));
}

// The skin draws what holds when a window paints, even when the change came
// behind the window's back and nothing was redrawn for it.
TEST_F(MainFrameSkinTest, BothWindowsPaintTheStateOfTheMomentTheyPaint)
{
    m_pPlaylistFrame->resize(318, 200);
    QRect repeatList;
    Main().Skin()->GetPlaylistControlRect(m_pPlaylistFrame->size(), PC_REPEATLIST, repeatList);
    const QImage listBefore = m_pPlaylistFrame->grab().toImage();
    m_settings.PlaylistRepeat = !m_settings.PlaylistRepeat;
    EXPECT_NE(m_pPlaylistFrame->grab().toImage().copy(repeatList), listBefore.copy(repeatList));

    const QRect mute = ControlRect(MC_MUTE);
    const QImage mainBefore = Main().grab().toImage();
    Engine().ToggleMute();
    EXPECT_NE(Main().grab().toImage().copy(mute), mainBefore.copy(mute));
}

using MainFrameWindowTest = MainFrameTest;

TEST_F(MainFrameWindowTest, RestoreAfterMinimizingMaximizedMaximizesAgain)
{
    Main().showMaximized();
    Main().MinimizeGroup();
    EXPECT_TRUE(Main().isMinimized());
    EXPECT_TRUE(Main().WasZoomed());
    m_pOwner->OnSysCommand(CParentWnd::SC_RESTORE);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Main().isMaximized());

    Main().showNormal();
    Main().MinimizeGroup();
    EXPECT_FALSE(Main().WasZoomed());
    m_pOwner->OnSysCommand(CParentWnd::SC_RESTORE);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Main().isMaximized());
    EXPECT_FALSE(Main().isMinimized());
}

TEST_F(MainFrameWindowTest, MinimizingTakesThePlaylistWindowAlong)
{
    m_pPlaylistFrame->show();
    Click(MC_MINIMIZE);
    EXPECT_TRUE(Main().isMinimized());
    EXPECT_FALSE(m_pPlaylistFrame->isVisible());
    Main().showNormal();
    EXPECT_TRUE(m_pPlaylistFrame->isVisible());
}

TEST_F(MainFrameWindowTest, ResetWindowPositionBringsOffScreenWindowsBack)
{
    Main().setGeometry(-5000, -4000, 500, 300);
    m_pPlaylistFrame->setGeometry(9000, 9000, 400, 300);
    m_menus.m_nChoice = CParentWnd::SC_RESET_WINDOW_POSITION;
    KeyDown(Qt::Key_Space, Qt::AltModifier);  // the owner's system menu
    ASSERT_EQ(m_menus.m_menus.size(), 1u);
    EXPECT_NE(m_menus.m_menus[0].Find(CParentWnd::SC_RESET_WINDOW_POSITION), nullptr);
    EXPECT_EQ(m_menus.m_menus[0].Find(CParentWnd::SC_RESET_WINDOW_POSITION)->text,
              QStringLiteral("Reset Window Position"));
    EXPECT_EQ(Main().geometry(), QRect(100, 100, 403, 280));
    EXPECT_EQ(m_pPlaylistFrame->geometry(), QRect(502, 100, 318, 100));

    // The tray menu reaches it too, for window managers that keep Alt+Space.
    Main().setGeometry(-5000, -4000, 500, 300);
    m_menus.m_nChoice = ID_RESET_WINDOW_POSITION;
    Main().OnTrayNotify(TrayMouse::RightButtonUp);
    ASSERT_EQ(m_menus.m_menus.size(), 2u);
    EXPECT_EQ(m_menus.m_menus[1].Find(ID_RESET_WINDOW_POSITION)->text, LoadLocalizedString(107));
    EXPECT_EQ(Main().geometry(), QRect(100, 100, 403, 280));
}

TEST_F(MainFrameWindowTest, SystemMenuFollowsTheInterfaceLanguage)
{
    const int previous = InterfaceLanguage();
    SetInterfaceLanguage(1031);
    m_pOwner->ShowSystemMenu(QPoint(10, 10));
    SetInterfaceLanguage(previous);
    ASSERT_EQ(m_menus.m_menus.size(), 1u);
    const CMenuItem* reset = m_menus.m_menus[0].Find(CParentWnd::SC_RESET_WINDOW_POSITION);
    ASSERT_NE(reset, nullptr);
    EXPECT_NE(reset->text, QStringLiteral("Reset Window Position"));
    EXPECT_FALSE(reset->text.isEmpty());
}

TEST_F(MainFrameWindowTest, AlwaysOnTopFollowsTheSetting)
{
    m_pPlaylistFrame->show();
    Main().ToggleAlwaysOnTop();
    EXPECT_EQ(m_settings.TopMost, 1);
    EXPECT_TRUE(Main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(m_pPlaylistFrame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(Main().isVisible());
    Main().ToggleAlwaysOnTop();
    EXPECT_EQ(m_settings.TopMost, 0);
    EXPECT_FALSE(Main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainFrameWindowTest, FullScreenLeavesTheGroupOnTopOnlyWhenTheSettingSaysSo)
{
    AddRows(1);
    OpenRow(0);
    m_pPlaylistFrame->show();
    Engine().ToggleFullScreen();
    Engine().ToggleFullScreen();
    EXPECT_FALSE(Main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(m_pPlaylistFrame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(m_pPlaylistFrame->isVisible());

    Main().ToggleAlwaysOnTop();
    Engine().ToggleFullScreen();
    Engine().ToggleFullScreen();
    EXPECT_TRUE(Main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(m_pPlaylistFrame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainFrameWindowTest, ShowHideHidesTheGroupAndShowsOnlyTheMainWindow)
{
    m_pPlaylistFrame->show();
    Main().OnCommand(ID_SHOW_HIDE);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_FALSE(m_pPlaylistFrame->isVisible());
    EXPECT_FALSE(m_pOwner->isVisible());
    Main().OnCommand(ID_SHOW_HIDE);
    EXPECT_TRUE(Main().isVisible());
    EXPECT_TRUE(m_pOwner->isVisible());
    EXPECT_FALSE(m_pPlaylistFrame->isVisible());
}

using MainFrameTrayTest = MainFrameTest;

TEST_F(MainFrameTrayTest, TrayMenuForNoClipAudioOnlyAndVideoClips)
{
    EXPECT_EQ(Main().OnTrayNotify(TrayMouse::RightButtonUp), 0);
    ASSERT_EQ(m_menus.m_menus.size(), 1u);
    EXPECT_EQ(m_menus.m_menus[0].Find(ID_FULL_SCREEN), nullptr);
    EXPECT_FALSE(m_menus.m_menus[0].Find(ID_PLAY)->enabled);

    AddRows(2);
    m_script.hasVideo = false;
    OpenRow(0);
    Main().OnTrayNotify(TrayMouse::RightButtonUp);
    EXPECT_FALSE(m_menus.m_menus[1].Find(ID_FULL_SCREEN)->enabled);
    EXPECT_FALSE(m_menus.m_menus[1].children[10].enabled);  // "Zoom"

    m_script.hasVideo = true;
    Main().StepTrackAction(true);
    Main().OnTrayNotify(TrayMouse::RightButtonUp);
    EXPECT_TRUE(m_menus.m_menus[2].Find(ID_FULL_SCREEN)->enabled);
    EXPECT_TRUE(m_menus.m_menus[2].children[10].enabled);
    EXPECT_TRUE(m_menus.m_menus[2].Find(ID_PAUSE)->enabled);
}

TEST_F(MainFrameTrayTest, ChoosingAStreamInTheMenuSwitchesToIt)
{
    m_script.audioStreams = {{QStringLiteral("en"), {}}, {QStringLiteral("ru"), {}}};
    AddRows(1);
    OpenRow(0);
    m_menus.m_nChoice = ID_AUDIO_TRACK_FIRST + 1;
    Main().OnTrayNotify(TrayMouse::RightButtonUp);
    ASSERT_EQ(m_menus.m_menus.size(), 1u);
    EXPECT_TRUE(m_menus.m_menus[0].Find(ID_AUDIO_TRACK_FIRST)->checked);
    EXPECT_EQ(m_script.currentAudio, 1);
    EXPECT_EQ(m_settings.AudioLanguage, QStringLiteral("ru"));
}

TEST_F(MainFrameTrayTest, FullScreenIgnoresTheTrayAndUsesTheFullMenuInTheVideo)
{
    AddRows(1);
    OpenRow(0);
    Engine().ToggleFullScreen();
    EXPECT_EQ(Main().OnTrayNotify(TrayMouse::RightButtonUp), 1);
    EXPECT_EQ(Main().OnTrayNotify(TrayMouse::DoubleClick), 1);
    EXPECT_TRUE(m_menus.m_menus.empty());
    Release(QPoint(5, 5), Qt::RightButton);
    ASSERT_EQ(m_menus.m_menus.size(), 1u);
    EXPECT_TRUE(m_menus.m_menus[0].Find(ID_FULL_SCREEN)->checked);
    EXPECT_EQ(m_menus.m_menus[0].Find(ID_OPEN_CLIP), nullptr);
}

TEST_F(MainFrameTrayTest, DoubleClickShowsTheWindowsAndOtherEventsAreNotHandled)
{
    m_settings.PLShow = 1;
    Main().ShowHideAction();
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(Main().OnTrayNotify(TrayMouse::DoubleClick), 0);
    EXPECT_TRUE(Main().isVisible());
    EXPECT_TRUE(m_pOwner->isVisible());
    EXPECT_TRUE(m_pPlaylistFrame->isVisible());
    EXPECT_EQ(Main().OnTrayNotify(TrayMouse::Other), 1);
}

TEST_F(MainFrameTrayTest, TipIsCutTo63Characters)
{
    auto row = std::make_unique<CPlaylistRow>();
    row->m_strPath = QStringLiteral("/media/") + QString(93, u'x');
    m_playlist.m_rows.push_back(std::move(row));
    OpenRow(0);
    EXPECT_LE(m_tray.Tip().size(), 63);
    m_tray.SetTip(QString(100, u'y'));
    EXPECT_EQ(m_tray.Tip(), QString(63, u'y'));
}

using MainFrameExitTest = MainFrameTest;

TEST_F(MainFrameExitTest, ExitStoresThePlacementSavesThePlaylistAndCopiesEngineState)
{
    AddRows(2);
    OpenRow(1);
    Engine().ToggleMute();
    Engine().ToggleRepeat();
    Engine().SetVolume(-1200);
    Main().setGeometry(150, 160, 500, 300);
    m_settings.Docked = 0;
    m_pPlaylistFrame->setGeometry(800, 160, 320, 200);
    m_settings.m_bSkinSwitchFlag = true;
    Main().RebuildSkin();
    QSignalSpy destroyed(&Main(), &CMainFrame::windowDestroyed);

    Main().OnCommand(ID_EXIT);

    EXPECT_EQ(destroyed.count(), 1);
    EXPECT_FALSE(m_settings.m_bSkinSwitchFlag);
    // The skinned rectangle around the plain window's video is stored.
    EXPECT_EQ(m_settings.m_rcMain, CWindowRect::FromQRect(Main().geometry()));
    EXPECT_EQ(m_settings.m_rcPlaylist, (CWindowRect{800, 160, 1120, 360}));
    EXPECT_EQ(m_settings.Mute, 1);
    EXPECT_EQ(m_settings.Repeat, 1);
    EXPECT_EQ(m_settings.Volume, -1200);
    EXPECT_TRUE(QFile::exists(m_playlist.DefaultFile()));
    EXPECT_FALSE(Main().isVisible());
}

TEST_F(MainFrameExitTest, WindowManagerCloseEndsThroughTheExitAction)
{
    AddRows(1);
    Engine().SetVolume(-700);
    Main().show();
    QSignalSpy destroyed(&Main(), &CMainFrame::windowDestroyed);
    Main().close();
    EXPECT_EQ(destroyed.count(), 1);
    EXPECT_EQ(m_settings.Volume, -700);
    EXPECT_TRUE(QFile::exists(m_playlist.DefaultFile()));
}

TEST_F(MainFrameExitTest, CloseButtonExitsOnlyWhenReleasedOnIt)
{
    QSignalSpy destroyed(&Main(), &CMainFrame::windowDestroyed);
    Press(ControlCenter(MC_CLOSE));
    Release(ControlCenter(MC_MAXIMIZE));
    EXPECT_EQ(destroyed.count(), 0);
    Click(MC_CLOSE);
    EXPECT_EQ(destroyed.count(), 1);
    EXPECT_FALSE(m_pOwner->isVisible());
}

TEST_F(MainFrameExitTest, MaximizedWindowStoresItsNormalPlacement)
{
    Main().setGeometry(120, 130, 450, 300);
    Main().showMaximized();
    Main().ExitAction();
    EXPECT_EQ(m_settings.m_rcMain, (CWindowRect{120, 130, 570, 430}));
}

TEST_F(MainFrameExitTest, CopyDataOpenReplacesThePlaylistAndCloseSkipsTheExitAction)
{
    AddRows(3);
    // A path longer than 259 characters arrives whole.
    const QString folder = m_strFolder + u'/' + QString(200, u'f');
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/handed.avi");
    QFile(path).open(QIODevice::WriteOnly);
    Main().OnCopyData(COPYDATA_OPEN_FILE, path);
    QCoreApplication::processEvents();
    EXPECT_EQ(Engine().m_pszPath, path);
    ASSERT_EQ(m_playlist.GetCount(), 1);
    EXPECT_EQ(m_playlist.GetCurrent(), 0);
    EXPECT_TRUE(Engine().IsPlaying());

    QSignalSpy destroyed(&Main(), &CMainFrame::windowDestroyed);
    Main().OnCopyData(COPYDATA_CLOSE, {});
    QCoreApplication::processEvents();
    EXPECT_EQ(destroyed.count(), 1);
    EXPECT_FALSE(QFile::exists(m_playlist.DefaultFile()));
}

TEST_F(MainFrameExitTest, HandedOverPathThatIsNoReadableFileKeepsThePlaylist)
{
    AddRows(3);
    OpenRow(1);
    for (const QString& path : {m_strFolder + QStringLiteral("/gone.avi"), m_strFolder}) {
        SCOPED_TRACE(path.toStdString());
        m_prompt.m_texts.clear();
        Main().OnCopyData(COPYDATA_OPEN_FILE, path);
        QCoreApplication::processEvents();
        EXPECT_EQ(m_playlist.GetCount(), 3);
        EXPECT_EQ(m_prompt.m_texts.size(), 1);
        EXPECT_TRUE(m_prompt.m_texts.value(0).contains(path));
        EXPECT_EQ(m_playlist.GetCurrent(), 1);
        EXPECT_TRUE(Engine().IsPlaying());
    }
}

TEST_F(MainFrameExitTest, PositionTimerRefreshesTheTimeText)
{
    AddRows(1);
    OpenRow(0);
    m_script.position = 65 * kUnitsPerSecond;
    EXPECT_FALSE(Engine().m_szTime.startsWith(QStringLiteral("00:01:05|")));
    // One tick of the one-second timer; a busy machine may deliver it late.
    QDeadlineTimer deadline(5000);
    while (!Engine().m_szTime.startsWith(QStringLiteral("00:01:05|")) && !deadline.hasExpired())
        QTest::qWait(50);
    EXPECT_TRUE(Engine().m_szTime.startsWith(QStringLiteral("00:01:05|")));
    Engine().Pause();
    m_script.position = 70 * kUnitsPerSecond;
    QTest::qWait(1200);
    EXPECT_TRUE(Engine().m_szTime.startsWith(QStringLiteral("00:01:05|")));  // no ticks while paused
}

TEST_F(MainFrameCommandTest, HelpPageLinksReachPagesWrittenBesideIt)
{
    Main().OnCommand(ID_HOME_PAGE);
    ASSERT_EQ(m_urls.m_urls.size(), 1);
    const QFileInfo home(m_urls.m_urls[0].toLocalFile());
    QFile page(home.filePath());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    int links = 0;
    for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
        ++links;
        EXPECT_TRUE(home.dir().exists(match.captured(1))) << match.captured(1).toStdString();
    }
    EXPECT_GE(links, 4);
}

TEST_F(MainFrameCommandTest, OptionsButtonOpensOneSheetWhoseNewKeysActAtOnce)
{
    AddRows(1);
    OpenRow(0, false);
    int sheets = -1;
    QTimer::singleShot(0, [&] {
        // Asking again while the sheet is open raises it instead.
        Main().OnCommand(ID_PREFERENCES);
        const QList<CPreferenceDlg*> open = Main().findChildren<CPreferenceDlg*>();
        sheets = int(open.size());
        ASSERT_EQ(sheets, 1);
        CPreferenceDlg* sheet = open.first();
        auto* buttons = sheet->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Help), Qt::LeftButton);

        auto* pages = sheet->findChild<QListWidget*>(QStringLiteral("pages"));
        QTest::mouseClick(pages->viewport(), Qt::LeftButton, {}, pages->visualItemRect(pages->item(2)).center());
        auto* keys = sheet->findChild<QListWidget*>(QStringLiteral("keys"));
        QTest::mouseClick(keys->viewport(), Qt::LeftButton, {},
                          keys->visualItemRect(keys->item(HOTKEY_PLAY)).center());
        QTest::keyClick(sheet->findChild<QLineEdit*>(QStringLiteral("hotKey")), Qt::Key_F5);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    Click(MC_OPTIONS);

    EXPECT_EQ(sheets, 1);
    EXPECT_TRUE(Main().findChildren<CPreferenceDlg*>().isEmpty());
    ASSERT_EQ(m_urls.m_urls.size(), 1);
    EXPECT_TRUE(m_urls.m_urls[0].toLocalFile().endsWith(QStringLiteral("preferences.html")));
    EXPECT_TRUE(QFile::exists(m_urls.m_urls[0].toLocalFile()));

    ASSERT_FALSE(Engine().IsPlaying());
    Key(Qt::Key_F5);
    EXPECT_TRUE(Engine().IsPlaying());
}
