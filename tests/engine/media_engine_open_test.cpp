// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and closing clips and the graph events, on scripted graphs.
#include "engine_fixture.h"
#include "playlist/media_files.h"

#include "playlist/playlist_random.h"

#include <QFile>

namespace {

TEST_F(EngineTest, OpeningARowOutsideTheListDoesNothing)
{
    m_engine->Open(-1);
    AddRows(2);
    m_engine->Open(2);
    EXPECT_EQ(m_script.graphsCreated, 0);
    EXPECT_FALSE(m_engine->IsLoaded());
    EXPECT_EQ(m_engine->m_szTime, QStringLiteral("00:00"));
}

TEST_F(EngineTest, RenderIsRetriedOnceThenReportedAndForgotten)
{
    AddRows(1);
    m_script.renderFailures = 1;
    OpenRow(0);
    EXPECT_EQ(m_script.Count(QStringLiteral("RenderFile")), 2);
    EXPECT_TRUE(m_engine->IsPlaying());
    EXPECT_TRUE(m_prompt.m_texts.isEmpty());

    m_engine->Close();
    m_script.calls.clear();
    m_script.renderFailures = 2;
    m_script.errorTexts.insert(VFW_E_NOT_FOUND, QStringLiteral("Resource not found."));
    OpenRow(0);
    EXPECT_EQ(m_script.Count(QStringLiteral("RenderFile")), 2);
    EXPECT_EQ(m_prompt.m_titles, QStringList{QStringLiteral("Velmora Message")});
    EXPECT_EQ(m_prompt.m_texts, QStringList{QStringLiteral("Resource not found.")});
    EXPECT_EQ(m_script.graphsAlive, 0);
    EXPECT_EQ(m_playlist.GetCurrent(), -1);
    EXPECT_FALSE(m_engine->IsLoaded());
    EXPECT_FALSE(m_engine->Play());

    // A file that took the whole time limit is not given it a second time.
    m_script.calls.clear();
    m_script.renderFailures = 1;
    m_script.renderError = VFW_E_TIMEOUT;
    OpenRow(0);
    EXPECT_EQ(m_script.Count(QStringLiteral("RenderFile")), 1);
    EXPECT_FALSE(m_engine->IsLoaded());
}

TEST_F(EngineTest, AGraphThatCannotBeMadeIsReportedWithTheFactorysText)
{
    AddRows(1);
    m_script.createFails = true;
    m_script.errorTexts.insert(E_FAIL, QStringLiteral("No playbin."));
    OpenRow(0);
    EXPECT_EQ(m_prompt.m_texts, QStringList{QStringLiteral("No playbin.")});
    EXPECT_EQ(m_script.graphsAlive, 0);
    EXPECT_FALSE(m_engine->IsLoaded());
    EXPECT_FALSE(m_engine->CanSeek());
    EXPECT_FALSE(m_engine->Play());
    EXPECT_EQ(m_playlist.GetCurrent(), -1);
}

TEST_F(EngineTest, VideoClipIsEmbeddedAndHoldsOffTheScreenSaverUntilClosed)
{
    AddRows(1);
    m_script.duration = 3723 * kUnitsPerSecond;
    OpenRow(0, false);
    EXPECT_TRUE(m_engine->IsStopped());
    EXPECT_TRUE(m_engine->HasVideo());
    EXPECT_TRUE(m_engine->HasAudio());
    EXPECT_TRUE(m_script.calls.contains(QStringLiteral("SetVideoOwner")));
    EXPECT_EQ(m_script.notifyTarget, &m_host.m_mainWindow);
    EXPECT_EQ(m_engine->m_pszFileName, QStringLiteral("clip0.avi"));
    EXPECT_EQ(m_playlist.GetRow(0).m_strDuration, QStringLiteral("01:02:03"));
    EXPECT_FALSE(m_power.m_bSaver);
    EXPECT_FALSE(m_power.m_bPowerOff);
    EXPECT_FALSE(m_power.m_bLowPower);

    m_engine->Close();
    EXPECT_TRUE(m_power.m_bSaver);
    EXPECT_TRUE(m_power.m_bPowerOff);
    EXPECT_TRUE(m_script.calls.contains(QStringLiteral("SetVideoOwner null")));
    EXPECT_TRUE(m_script.calls.contains(QStringLiteral("SetNotifyTarget null")));
    EXPECT_EQ(m_script.graphsAlive, 0);
    EXPECT_EQ(m_host.m_strTitle, QStringLiteral("Velmora"));
    EXPECT_EQ(m_tray.Tip(), QStringLiteral("Velmora"));
    EXPECT_EQ(m_tray.IconId(), IDI_APPLICATION_ICON);
    EXPECT_EQ(m_engine->m_szTime, QStringLiteral("00:00"));
    EXPECT_EQ(m_engine->DurationText(), QStringLiteral("00:00"));
    EXPECT_EQ(m_engine->Flags(), std::uint32_t(EF_NOVIDEO));
}

TEST_F(EngineTest, ScreenSaverLeftAloneWhenTheSettingIsOffAndRestoredByTheDestructor)
{
    AddRows(1);
    m_settings.DisablePowerSaver = 0;
    OpenRow(0);
    EXPECT_FALSE(m_power.m_bSaver);
    EXPECT_TRUE(m_power.m_bPowerOff);
    m_engine.reset();
    EXPECT_TRUE(m_power.m_bSaver);
}

TEST_F(EngineTest, AudioOnlyClipTakesNoWindowAndIgnoresAutoSize)
{
    AddRows(1);
    m_script.hasVideo = false;
    m_script.duration = 125 * kUnitsPerSecond;
    m_settings.AutoSizeWin = 1;
    OpenRow(0);
    EXPECT_TRUE(m_engine->IsPlaying());
    EXPECT_FALSE(m_engine->HasVideo());
    EXPECT_FALSE(m_script.calls.contains(QStringLiteral("SetVideoOwner")));
    EXPECT_FALSE(m_host.m_calls.contains(QStringLiteral("ShowMainWindowNormal")));
    EXPECT_TRUE(m_power.m_bSaver);
    EXPECT_EQ(m_engine->Zoom(), 5);
    EXPECT_EQ(m_playlist.GetRow(0).m_strDuration, QStringLiteral("02:05"));

    m_engine->ToggleFullScreen();
    EXPECT_FALSE(m_engine->IsFullScreen());
    EXPECT_FALSE(m_script.fullScreen);
}

TEST_F(EngineTest, VolumeOnOpenFollowsMuteAndAudio)
{
    AddRows(1);
    m_engine->SetVolume(-1200);
    OpenRow(0);
    EXPECT_EQ(m_script.volume, -1200);
    m_engine->Close();

    m_engine->SetMutedFlag();
    OpenRow(0);
    EXPECT_EQ(m_script.volume, -10000);
    EXPECT_TRUE(m_engine->IsMuted());
    m_engine->Close();

    m_script.calls.clear();
    m_script.hasAudio = false;
    OpenRow(0);
    EXPECT_FALSE(m_engine->HasAudio());
    EXPECT_TRUE(m_engine->IsPlaying());
    EXPECT_FALSE(m_script.calls.filter(QStringLiteral("SetVolume")).size());
}

TEST_F(EngineTest, FailingVolumeOnOpenLeavesAGraphThatWillNotPlay)
{
    AddRows(1);
    m_script.setVolumeResult = E_FAIL;
    OpenRow(0);
    EXPECT_EQ(m_prompt.m_texts.size(), 1);
    EXPECT_TRUE(m_engine->IsLoaded());
    EXPECT_FALSE(m_engine->IsStopped());
    EXPECT_FALSE(m_engine->IsPlaying());
    EXPECT_EQ(m_script.graphsAlive, 1);
    m_engine->Close();
    EXPECT_EQ(m_script.graphsAlive, 0);
}

TEST_F(EngineTest, OpeningAgainWithoutCloseReplacesTheGraph)
{
    AddRows(2);
    m_script.setVolumeResult = E_FAIL;
    OpenRow(0);
    m_script.setVolumeResult = S_OK;
    m_engine->Open(1);
    EXPECT_EQ(m_script.graphsAlive, 1);
    EXPECT_TRUE(m_engine->Play());
}

TEST_F(EngineTest, UnreadableVideoProbeClosesTheClip)
{
    AddRows(1);
    m_script.visibleResult = E_FAIL;
    OpenRow(0);
    EXPECT_EQ(m_prompt.m_texts.size(), 1);
    EXPECT_FALSE(m_engine->IsLoaded());

    m_script.visibleResult = S_OK;
    m_script.ownerResult = E_FAIL;
    OpenRow(0);
    EXPECT_EQ(m_prompt.m_texts.size(), 2);
    EXPECT_FALSE(m_engine->IsLoaded());
    EXPECT_EQ(m_script.graphsAlive, 0);
}

class EngineEndOfClipTest : public EngineTest {
protected:
    void EndOfClip()
    {
        m_script.events.push_back(EC_COMPLETE);
        m_engine->HandleGraphEvents();
    }
};

TEST_F(EngineEndOfClipTest, NoGraphMeansNoEvents)
{
    m_script.events.push_back(EC_COMPLETE);
    m_engine->HandleGraphEvents();
    EXPECT_EQ(m_script.events.size(), 1u);
}

TEST_F(EngineEndOfClipTest, RepeatRestartsTheSameGraph)
{
    AddRows(2);
    OpenRow(0);
    m_engine->ToggleRepeat();
    m_script.position = 5;
    EndOfClip();
    EXPECT_EQ(m_script.graphsCreated, 1);
    EXPECT_EQ(m_script.position, 0);
    EXPECT_EQ(m_playlist.GetCurrent(), 0);
    EXPECT_TRUE(m_engine->IsPlaying());

    m_script.setPositionResult = E_FAIL;
    m_script.calls.clear();
    EndOfClip();
    EXPECT_EQ(m_script.Count(QStringLiteral("Stop")), 1);
    EXPECT_EQ(m_script.Count(QStringLiteral("Run")), 1);
    EXPECT_TRUE(m_engine->IsPlaying());
}

TEST_F(EngineEndOfClipTest, AdvancesToTheNextRowAndStopsAtTheEnd)
{
    AddRows(2);
    OpenRow(0);
    EndOfClip();
    EXPECT_EQ(m_playlist.GetCurrent(), 1);
    EXPECT_EQ(m_script.renderedPaths.last(), QStringLiteral("/media/clip1.avi"));
    EXPECT_TRUE(m_engine->IsPlaying());

    EndOfClip();
    EXPECT_TRUE(m_engine->IsLoaded());
    EXPECT_TRUE(m_engine->IsStopped());
    EXPECT_EQ(m_script.position, 0);
    EXPECT_EQ(m_playlist.GetCurrent(), 1);
}

TEST_F(EngineEndOfClipTest, BrokenRowsArePassedOverOnceEachWithOneBoxApiece)
{
    AddRows(4);
    OpenRow(0);
    m_script.renderFailures = 4;  // rows 1 and 2, each tried twice
    EndOfClip();
    EXPECT_EQ(m_prompt.m_titles.size(), 2);
    EXPECT_EQ(m_playlist.GetCurrent(), 3);
    EXPECT_TRUE(m_engine->IsPlaying());

    // With every row broken and the list repeating, one round ends it.
    m_settings.PlaylistRepeat = 1;
    m_prompt.m_titles.clear();
    m_script.renderFailures = 1000;
    EndOfClip();
    EXPECT_EQ(m_prompt.m_titles.size(), 4);
    EXPECT_EQ(m_playlist.GetCurrent(), -1);
    EXPECT_FALSE(m_engine->IsLoaded());
}

TEST_F(EngineEndOfClipTest, PlaylistRepeatWrapsToTheFirstRow)
{
    AddRows(3);
    m_settings.PlaylistRepeat = 1;
    OpenRow(2);
    EndOfClip();
    EXPECT_EQ(m_playlist.GetCurrent(), 0);
    EXPECT_TRUE(m_engine->IsPlaying());
}

TEST_F(EngineEndOfClipTest, ShuffleDrawsFromThePlaylistRandomSource)
{
    AddRows(5);
    m_settings.Shuffle = 1;
    m_playlist.m_random.Seed(7);
    CPlaylistRandom expected;
    expected.Seed(7);
    OpenRow(1);
    EndOfClip();
    EXPECT_EQ(m_playlist.GetCurrent(), expected.Next() % 5);
    EXPECT_TRUE(m_engine->IsPlaying());
}

TEST_F(EngineEndOfClipTest, ShutdownAtClipEndPowersOffAndStopsHandling)
{
    AddRows(2);
    m_settings.m_nShutdownMode = SHUTDOWN_CLIP_END;
    OpenRow(0);
    m_script.events.push_back(EC_COMPLETE);
    m_script.events.push_back(EC_COMPLETE);
    m_engine->HandleGraphEvents();
    EXPECT_EQ(m_host.m_nPowerOffs, 1);
    EXPECT_EQ(m_script.events.size(), 1u);
    EXPECT_TRUE(m_engine->IsPlaying());
}

TEST_F(EngineEndOfClipTest, ShutdownAtPlaylistEndWaitsForTheLastRow)
{
    AddRows(2);
    m_settings.m_nShutdownMode = SHUTDOWN_PLAYLIST_END;
    OpenRow(0);
    EndOfClip();
    EXPECT_EQ(m_host.m_nPowerOffs, 0);
    EXPECT_EQ(m_playlist.GetCurrent(), 1);
    m_script.calls.clear();
    EndOfClip();
    EXPECT_EQ(m_host.m_nPowerOffs, 1);
    EXPECT_FALSE(m_script.calls.contains(QStringLiteral("Stop")));
}

TEST_F(EngineEndOfClipTest, FullScreenCarriesOnOnlyFromAClipThatEndedInIt)
{
    AddRows(3);
    OpenRow(0);
    m_engine->ToggleFullScreen();
    ASSERT_TRUE(m_engine->IsFullScreen());
    EndOfClip();
    EXPECT_EQ(m_playlist.GetCurrent(), 1);
    EXPECT_TRUE(m_engine->IsFullScreen());

    // Left by the user: the next clip starts in the window.
    m_engine->ToggleFullScreen();
    EXPECT_FALSE(m_engine->IsFullScreen());
    EndOfClip();
    EXPECT_EQ(m_playlist.GetCurrent(), 2);
    EXPECT_FALSE(m_engine->IsFullScreen());
}

TEST_F(EngineEndOfClipTest, ClosedVideoWindowEndsTheProgram)
{
    AddRows(1);
    OpenRow(0);
    m_script.events.push_back(EC_USERABORT);
    m_engine->HandleGraphEvents();
    EXPECT_FALSE(m_engine->IsLoaded());
    EXPECT_EQ(m_host.m_nExits, 1);
}

TEST_F(EngineEndOfClipTest, PlaybackErrorIsReportedAndStopsTheClip)
{
    AddRows(2);
    OpenRow(0);
    m_script.events.push_back(EC_ERRORABORT);
    m_engine->HandleGraphEvents();
    EXPECT_EQ(m_prompt.m_titles, QStringList{QStringLiteral("Velmora Message")});
    EXPECT_FALSE(m_engine->IsLoaded());
    EXPECT_FALSE(m_engine->IsPlaying());
    EXPECT_EQ(m_playlist.GetCurrent(), -1);
    EXPECT_FALSE(m_host.m_bTimer);
}

TEST_F(EngineTest, OpenDialogListsTheMediaFiltersAndReplacesThePlaylist)
{
    const QString folder = testsupport::MakeScratchDir(QStringLiteral("open-dialog"));
    for (const char* name : {"a.MKV", "b.mp3"}) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    AddRows(3);
    EXPECT_EQ(m_engine->ShowOpenDialog(), IDCANCEL);
    EXPECT_EQ(m_playlist.GetCount(), 3);
    ASSERT_EQ(m_prompt.m_filters.size(), 7);
    // The one media list: the same types a folder scan takes.
    EXPECT_EQ(m_prompt.m_filters, MediaFileNameFilters());
    EXPECT_TRUE(m_prompt.m_filters[0].contains(QStringLiteral("*.flac")));
    EXPECT_TRUE(m_prompt.m_filters[4].endsWith(QStringLiteral("(*.mp3 *.wav *.mid)")));

    OpenRow(1);
    m_prompt.m_files = {folder + QStringLiteral("/a.MKV"), folder + QStringLiteral("/b.mp3")};
    EXPECT_EQ(m_engine->ShowOpenDialog(), IDOK);
    EXPECT_FALSE(m_engine->IsOpenDialogActive());
    EXPECT_FALSE(m_engine->IsLoaded());
    ASSERT_EQ(m_playlist.GetCount(), 2);
    EXPECT_EQ(m_playlist.GetRow(0).m_strPath, folder + QStringLiteral("/a.MKV"));

    // The next time the dialog starts where the last file was chosen; a
    // cancel keeps that folder.
    m_prompt.m_files.clear();
    EXPECT_EQ(m_engine->ShowOpenDialog(), IDCANCEL);
    EXPECT_EQ(m_engine->ShowOpenDialog(), IDCANCEL);
    EXPECT_EQ(m_prompt.m_startFolders, (QStringList{QString(), QString(), folder, folder}));
}

}  // namespace
