// SPDX-License-Identifier: GPL-3.0-or-later
// Transport, seeking, rate, volume, zoom, fitting, full screen, time texts
// and the error report, on scripted graphs.
#include "engine_fixture.h"

namespace {

class EngineLoadedTest : public EngineTest {
protected:
    void SetUp() override
    {
        AddRows(1);
        OpenRow(0, false);
        ASSERT_TRUE(m_engine->IsStopped());
        m_script.calls.clear();
        m_host.m_calls.clear();
    }
    void SetPath(int length)
    {
        m_engine->m_pszPath = QStringLiteral("/") + QString(length - 1, QLatin1Char('x'));
        m_engine->m_pszPath[length - 1] = QLatin1Char('Z');
    }
};

TEST_F(EngineLoadedTest, TransportRefusesWhatItsStateForbids)
{
    EXPECT_FALSE(m_engine->Pause());
    EXPECT_FALSE(m_engine->Stop());
    EXPECT_TRUE(m_engine->Play());
    EXPECT_TRUE(m_host.m_bTimer);
    EXPECT_FALSE(m_engine->Play());
    EXPECT_EQ(m_script.Count(QStringLiteral("Run")), 1);

    EXPECT_TRUE(m_engine->Pause());
    EXPECT_FALSE(m_host.m_bTimer);
    EXPECT_TRUE(m_engine->IsPaused());
    m_script.position = 123;
    m_script.calls.clear();
    EXPECT_TRUE(m_engine->Stop());
    EXPECT_EQ(m_script.calls,
              (QStringList{QStringLiteral("Stop"), QStringLiteral("SetPosition 0"), QStringLiteral("Pause")}));
    EXPECT_TRUE(m_engine->IsStopped());
    EXPECT_EQ(m_engine->Flags() & (EF_PLAYING | EF_PAUSED), 0u);
    EXPECT_EQ(m_host.m_calls.count(QStringLiteral("PlayStateChanged")), 3);
    EXPECT_EQ(m_host.m_calls.count(QStringLiteral("PositionChanged")), 1);
}

TEST_F(EngineLoadedTest, FailingRunIsReportedAndChangesNothing)
{
    m_script.runResult = E_FAIL;
    m_tray.SetIcon(IDI_STOPPED);
    EXPECT_FALSE(m_engine->Play());
    EXPECT_EQ(m_prompt.m_texts, QStringList{QStringLiteral("Unknown Error: 0x80004005")});
    EXPECT_TRUE(m_engine->IsStopped());
    EXPECT_FALSE(m_host.m_bTimer);
    EXPECT_EQ(m_tray.IconId(), IDI_STOPPED);
    EXPECT_FALSE(m_host.m_calls.contains(QStringLiteral("PlayStateChanged")));
    EXPECT_EQ(m_playlist.GetCurrent(), -1);
}

TEST_F(EngineLoadedTest, TrayTipShortensLongPathsPerState)
{
    SetPath(42);
    m_engine->Play();
    EXPECT_EQ(m_tray.Tip(), QStringLiteral("Playing - ") + m_engine->m_pszPath);
    EXPECT_EQ(m_tray.IconId(), IDI_PLAYING);

    SetPath(43);
    m_engine->Pause();
    m_engine->Play();
    EXPECT_EQ(m_tray.Tip(), QStringLiteral("Playing - ...") + m_engine->m_pszPath.right(39));

    SetPath(47);
    m_engine->Pause();
    EXPECT_EQ(m_tray.Tip(), QStringLiteral("Pause - ...") + m_engine->m_pszPath.right(43));
    EXPECT_EQ(m_tray.IconId(), IDI_PAUSED);

    SetPath(48);
    m_engine->Stop();
    EXPECT_EQ(m_tray.Tip(), QStringLiteral("Stop - ") + m_engine->m_pszPath);
    EXPECT_EQ(m_tray.IconId(), IDI_STOPPED);
    EXPECT_LE(m_tray.Tip().size(), 55);
}

TEST_F(EngineLoadedTest, SeeksToTheShareOfTheDurationWhenAbsoluteSeeksWork)
{
    m_script.duration = 3 * kUnitsPerSecond;
    m_engine->Close();
    OpenRow(0);
    EXPECT_EQ(m_engine->Seek(1, 3), S_OK);
    EXPECT_EQ(m_script.position, kUnitsPerSecond);
    EXPECT_TRUE(m_engine->IsPlaying());
    EXPECT_EQ(m_engine->GetPositionPercent(), 33);
    EXPECT_EQ(m_engine->GetPositionScaled(59), 19);

    m_script.capabilities = AM_SEEKING_CanGetCurrentPos;
    m_script.calls.clear();
    m_engine->Seek(2, 3);
    EXPECT_TRUE(m_script.calls.filter(QStringLiteral("SetPosition")).isEmpty());
    EXPECT_EQ(m_engine->Seek(1, 0), E_INVALIDARG);

    m_script.positionResult = E_FAIL;
    EXPECT_EQ(m_engine->GetPositionScaled(100), 0);
}

TEST_F(EngineLoadedTest, RateStepsStayOnTenthsAndRefusedRatesAreNotKept)
{
    EXPECT_FALSE(m_engine->IsRateChanged());
    for (int i = 0; i < 5; ++i)
        m_engine->ChangeRate(0.1);
    EXPECT_EQ(m_engine->Rate(), 1.5);
    EXPECT_TRUE(m_engine->IsRateChanged());
    for (int i = 0; i < 5; ++i)
        m_engine->ChangeRate(-0.1);
    EXPECT_EQ(m_engine->Rate(), 1.0);
    EXPECT_FALSE(m_engine->IsRateChanged());

    // Ten steps down reach exactly 0, which the graph refuses.
    for (int i = 0; i < 10; ++i)
        m_engine->ChangeRate(-0.1);
    EXPECT_EQ(m_engine->Rate(), 0.1);
    EXPECT_EQ(m_script.rate, 0.1);

    m_engine->SetRate(1.05);
    EXPECT_TRUE(m_engine->IsRateChanged());
    m_engine->SetRate(0.0);
    EXPECT_EQ(m_engine->Rate(), 1.05);
}

TEST_F(EngineLoadedTest, CloseForgetsTheKeptRate)
{
    m_engine->SetRate(2.0);
    m_engine->Close();
    EXPECT_FALSE(m_engine->IsRateChanged());
}

TEST_F(EngineLoadedTest, VolumeStepsStayWithinTheRangeAndUnmute)
{
    m_engine->SetVolume(-100);
    m_engine->StepVolume(true);
    EXPECT_EQ(m_engine->GetVolume(), 0);
    EXPECT_EQ(m_script.volume, 0);
    m_engine->SetVolume(-3900);
    m_engine->StepVolume(false);
    EXPECT_EQ(m_engine->GetVolume(), -4000);
    m_engine->StepVolume(false);
    EXPECT_EQ(m_engine->GetVolume(), -4000);

    // A step while muted makes the sound audible and takes the mute mark away.
    m_engine->SetVolume(-300);
    m_engine->ToggleMute();
    EXPECT_EQ(m_script.volume, -10000);
    m_engine->StepVolume(true);
    EXPECT_EQ(m_script.volume, 0);
    EXPECT_FALSE(m_engine->IsMuted());
    m_engine->ToggleMute();

    m_engine->SetVolume(-600);
    m_engine->StepVolume(true);
    EXPECT_EQ(m_script.volume, -300);
    EXPECT_FALSE(m_engine->IsMuted());
}

TEST_F(EngineLoadedTest, VolumeBarMapsOffsetsAndWaitsWhileMuted)
{
    m_engine->SetVolumeFromBar(-50, 100);
    EXPECT_EQ(m_engine->GetVolume(), -2000);
    EXPECT_EQ(m_script.volume, -2000);
    EXPECT_EQ(m_engine->GetVolumeLevel(100), 50);
    m_engine->SetVolumeFromBar(5, 100);
    EXPECT_EQ(m_engine->GetVolume(), 0);
    m_engine->SetVolumeFromBar(-150, 100);
    EXPECT_EQ(m_engine->GetVolume(), -4000);
    m_engine->SetVolumeFromBar(-3000, 3000);
    EXPECT_EQ(m_engine->GetVolume(), -3000);
    m_engine->SetVolumeFromBar(-10, 0);  // no bar: ignored
    EXPECT_EQ(m_engine->GetVolume(), -3000);
    EXPECT_EQ(m_engine->GetVolumeLevel(0), 0);

    m_engine->ToggleMute();
    m_engine->SetVolumeFromBar(-25, 100);
    EXPECT_EQ(m_engine->GetVolume(), -1000);
    EXPECT_EQ(m_script.volume, -10000);
    m_engine->ToggleMute();
    EXPECT_EQ(m_script.volume, -1000);
    EXPECT_FALSE(m_engine->IsMuted());
}

TEST_F(EngineTest, MuteWithoutAClipOrAdjustableAudioOnlyFlipsWhatItCan)
{
    m_engine->ToggleMute();
    EXPECT_TRUE(m_engine->IsMuted());
    m_engine->StepVolume(true);
    EXPECT_TRUE(m_engine->IsMuted());

    AddRows(1);
    m_script.hasAudio = false;
    OpenRow(0);
    m_engine->ToggleMute();
    EXPECT_TRUE(m_engine->IsMuted());
    m_engine->SetVolume(-1000);
    m_engine->StepVolume(true);
    EXPECT_EQ(m_engine->GetVolume(), -700);
    EXPECT_TRUE(m_prompt.m_texts.isEmpty());
}

TEST_F(EngineLoadedTest, ZoomResizesTheWindowInFifthsOfTheNativeSize)
{
    // The video area already has the native size: Double Size still doubles it.
    m_host.m_rcVideoArea = QRect(0, 0, 320, 240);
    m_engine->SetZoom(2, 1);
    EXPECT_EQ(m_engine->Zoom(), 10);
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("ShowMainWindowNormal")));
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("WindowRectForVideo 640x480")));
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("PlaceMainWindow 0,0 660x540")));

    m_host.m_calls.clear();
    m_engine->StepZoom(true);
    EXPECT_EQ(m_engine->Zoom(), 10);
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("WindowRectForVideo 640x480")));
    m_engine->SetZoom(9, 5);
    m_engine->StepZoom(true);
    EXPECT_EQ(m_engine->Zoom(), 10);

    m_engine->SetZoom(1, 2);
    EXPECT_EQ(m_engine->Zoom(), 2);
    m_engine->StepZoom(false);
    EXPECT_EQ(m_engine->Zoom(), 1);
    m_host.m_calls.clear();
    m_engine->StepZoom(false);
    EXPECT_EQ(m_engine->Zoom(), 1);
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("WindowRectForVideo 64x48")));

    // Already at the target size: nothing to do.
    m_host.m_rcVideoArea = QRect(10, 20, 640, 480);
    m_host.m_calls.clear();
    m_engine->SetZoom(2, 1);
    EXPECT_TRUE(m_host.m_calls.isEmpty());
    EXPECT_EQ(m_engine->Zoom(), 10);
}

TEST_F(EngineLoadedTest, ZoomKeepsTheWindowOnTheScreen)
{
    // 640x360 doubled needs a 1300x780 window on a 1280x800 screen: the
    // video shrinks in its own shape until the window fits, and the window
    // moves onto the screen.
    m_script.videoWidth = 640;
    m_script.videoHeight = 360;
    m_host.m_rcScreen = QRect(100, 50, 1280, 800);
    m_engine->SetZoom(2, 1);
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("WindowRectForVideo 1260x708")));
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("PlaceMainWindow 100,50 1280x768")));
}

TEST_F(EngineLoadedTest, VideoIsLetterBoxedAndCentredInTheVideoArea)
{
    // A wide area: full height, centred horizontally.
    m_host.m_rcVideoArea = QRect(10, 20, 400, 150);
    EXPECT_EQ(m_engine->FitVideoWindow(), S_OK);
    EXPECT_EQ(m_script.windowPosition, QRect(110, 20, 200, 150));
    // A tall area: full width, centred vertically.
    m_host.m_rcVideoArea = QRect(0, 0, 160, 300);
    m_engine->FitVideoWindow();
    EXPECT_EQ(m_script.windowPosition, QRect(0, 90, 160, 120));
    QRect rect;
    m_engine->GetVideoRect(&rect);
    EXPECT_EQ(rect, QRect(0, 90, 160, 120));

    m_script.videoWidth = 0;
    m_script.calls.clear();
    m_engine->FitVideoWindow();
    EXPECT_FALSE(m_script.calls.contains(QStringLiteral("SetVideoPosition")));
}

TEST_F(EngineLoadedTest, FullScreenHidesTheWindowsAndBringsThemBack)
{
    m_settings.TopMost = 0;
    m_engine->ToggleFullScreen();
    EXPECT_TRUE(m_engine->IsFullScreen());
    EXPECT_TRUE(m_script.fullScreen);
    EXPECT_EQ(m_host.m_calls,
              (QStringList{QStringLiteral("ShowMainWindow 0"), QStringLiteral("SetOwnerWindowTopMost"),
                           QStringLiteral("ShowPlaylistWindow 0"), QStringLiteral("ShowOwnerWindow 0")}));
    m_engine->SetZoom(2, 1);
    EXPECT_EQ(m_engine->Zoom(), 5);

    m_host.m_calls.clear();
    m_engine->ToggleFullScreen();
    EXPECT_FALSE(m_engine->IsFullScreen());
    EXPECT_EQ(m_host.m_calls,
              (QStringList{QStringLiteral("ShowMainWindow 1"), QStringLiteral("ShowPlaylistWindow 1"),
                           QStringLiteral("SetMainWindowNotTopMost"), QStringLiteral("ShowOwnerWindow 1")}));
    EXPECT_TRUE(m_script.calls.contains(QStringLiteral("BringVideoToFront")));

    // A hidden playlist window stays hidden; Close leaves full screen first.
    m_host.m_bPlaylistVisible = false;
    m_settings.TopMost = 1;
    m_engine->ToggleFullScreen();
    m_host.m_calls.clear();
    m_engine->Close();
    EXPECT_FALSE(m_host.m_calls.contains(QStringLiteral("ShowPlaylistWindow 1")));
    EXPECT_FALSE(m_host.m_calls.contains(QStringLiteral("SetMainWindowNotTopMost")));
    EXPECT_FALSE(m_script.fullScreen);
}

TEST_F(EngineLoadedTest, TimeTextShowsPositionAndDuration)
{
    m_script.duration = 7200 * kUnitsPerSecond;
    m_engine->Close();
    OpenRow(0);
    m_script.position = 3723 * kUnitsPerSecond + 9'999'999;
    m_engine->UpdateTimeText();
    EXPECT_EQ(m_engine->m_szTime, QStringLiteral("01:02:03|02:00:00"));

    m_script.position = 0;
    m_script.duration = 100 * 3600 * kUnitsPerSecond + 5 * kUnitsPerSecond;
    m_engine->Close();
    OpenRow(0);
    m_engine->UpdateTimeText();
    EXPECT_EQ(m_engine->m_szTime, QStringLiteral("00:00:00|100:00:05"));
    EXPECT_EQ(m_playlist.GetRow(0).m_strDuration, QStringLiteral("100:00:05"));

    m_script.positionResult = E_FAIL;
    m_engine->UpdateTimeText();
    EXPECT_EQ(m_engine->m_szTime, QStringLiteral("00:00"));
}

TEST_F(EngineLoadedTest, TimeDisplayFollowsPauseSeekAndStopWithoutATimerTick)
{
    ASSERT_TRUE(m_engine->Play());
    m_script.position = 1 * kUnitsPerSecond;
    const auto shows = [this](const char* text) {
        const int told = m_host.m_nTimeTextChanges;
        return m_engine->m_szTime == QLatin1String(text) && told > 0 && (m_host.m_nTimeTextChanges = 0) == 0;
    };
    ASSERT_TRUE(m_engine->Pause());
    EXPECT_TRUE(shows("00:00:01|00:00:02")) << m_engine->m_szTime.toStdString();
    m_engine->Seek(0, 1);
    EXPECT_TRUE(shows("00:00:00|00:00:02")) << m_engine->m_szTime.toStdString();
    ASSERT_TRUE(m_engine->Play());
    m_script.position = 2 * kUnitsPerSecond;
    m_engine->UpdateTimeText();
    m_host.m_nTimeTextChanges = 0;
    // The end of the last clip stops and rewinds it.
    m_script.events.push_back(EC_COMPLETE);
    m_engine->HandleGraphEvents();
    EXPECT_TRUE(m_engine->IsStopped());
    EXPECT_TRUE(shows("00:00:00|00:00:02")) << m_engine->m_szTime.toStdString();
}

TEST_F(EngineLoadedTest, ALengthLearntWhilePlayingReachesTextSeekBarAndRow)
{
    ASSERT_TRUE(m_engine->Play());
    m_script.duration = 30 * kUnitsPerSecond;
    m_script.events.push_back(EC_LENGTH_CHANGED);
    m_engine->HandleGraphEvents();
    EXPECT_EQ(m_engine->DurationText(), QStringLiteral("00:00:30"));
    EXPECT_EQ(m_engine->m_szTime, QStringLiteral("00:00:00|00:00:30"));
    EXPECT_EQ(m_playlist.GetRow(0).m_strDuration, QStringLiteral("00:30"));
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("PositionChanged")));
    EXPECT_TRUE(m_host.m_calls.contains(QStringLiteral("InvalidatePlaylistWindow")));

    // A position past the known length makes the engine ask again, unasked.
    m_script.duration = 45 * kUnitsPerSecond;
    m_script.position = 31 * kUnitsPerSecond;
    m_engine->UpdateTimeText();
    EXPECT_EQ(m_engine->m_szTime, QStringLiteral("00:00:31|00:00:45"));
    EXPECT_EQ(m_engine->GetPositionScaled(45), 31);
    m_engine->Seek(2, 3);
    EXPECT_EQ(m_script.position, 30 * kUnitsPerSecond);
}

TEST_F(EngineLoadedTest, ErrorReportIgnoresSuccessCodes)
{
    m_playlist.SetCurrent(0);
    m_engine->ReportGraphError(S_FALSE);
    EXPECT_TRUE(m_prompt.m_texts.isEmpty());
    EXPECT_EQ(m_playlist.GetCurrent(), 0);

    m_engine->ReportGraphError(static_cast<HRESULT>(0x8004FFFFu));
    EXPECT_EQ(m_prompt.m_texts, QStringList{QStringLiteral("Unknown Error: 0x8004ffff")});
    EXPECT_EQ(m_playlist.GetCurrent(), -1);
}

}  // namespace
