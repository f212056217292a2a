// SPDX-License-Identifier: GPL-3.0-or-later
// The context menus' contents for each player state.
#include "mainwnd/command_ids.h"
#include "mainwnd/context_menu.h"
#include "settings/localized_strings.h"

#include <gtest/gtest.h>

namespace {

CMenuState LoadedVideo()
{
    CMenuState state;
    state.loaded = state.hasVideo = state.hasAudio = true;
    state.playing = true;
    state.mainWindowVisible = true;
    return state;
}

bool Enabled(const CMenuItem& menu, int id)
{
    const CMenuItem* item = menu.Find(id);
    return item && item->enabled;
}

bool Checked(const CMenuItem& menu, int id)
{
    const CMenuItem* item = menu.Find(id);
    return item && item->checked;
}

}  // namespace

TEST(TrayMenuTest, WithoutAClipHasNoZoomNorFullScreenAndGraysTransport)
{
    const CMenuItem menu = BuildTrayMenu(CMenuState{});
    EXPECT_EQ(menu.FindPopup(LoadLocalizedString(191)), nullptr);  // "Zoom"
    EXPECT_EQ(menu.Find(ID_FULL_SCREEN), nullptr);
    for (int id : {ID_CLOSE_CLIP, ID_PLAY, ID_PAUSE, ID_STOP})
        EXPECT_FALSE(Enabled(menu, id)) << id;
    EXPECT_TRUE(Enabled(menu, ID_OPEN_CLIP));
    EXPECT_TRUE(Enabled(menu, ID_MUTE));
    // The hidden main window offers "Show".
    EXPECT_EQ(menu.Find(ID_SHOW_HIDE)->text, LoadLocalizedString(174));
    // Three entries fewer than the full layout: the Audio popup (no
    // streams), Zoom and Full Screen are gone.
    EXPECT_EQ(menu.children.size(), 17u);
}

TEST(TrayMenuTest, AudioOnlyClipGraysFullScreenAndZoom)
{
    CMenuState state = LoadedVideo();
    state.hasVideo = false;
    const CMenuItem menu = BuildTrayMenu(state);
    const CMenuItem* zoom = menu.FindPopup(LoadLocalizedString(191));
    ASSERT_NE(zoom, nullptr);
    EXPECT_FALSE(zoom->enabled);
    EXPECT_EQ(&menu.children[10], zoom);
    EXPECT_FALSE(Enabled(menu, ID_FULL_SCREEN));
}

TEST(TrayMenuTest, VideoClipPlayingEnablesWhatApplies)
{
    const CMenuItem menu = BuildTrayMenu(LoadedVideo());
    EXPECT_TRUE(menu.FindPopup(LoadLocalizedString(191))->enabled);
    EXPECT_TRUE(Enabled(menu, ID_FULL_SCREEN));
    EXPECT_TRUE(Enabled(menu, ID_PAUSE));
    EXPECT_TRUE(Enabled(menu, ID_STOP));
    EXPECT_FALSE(Enabled(menu, ID_PLAY));  // neither paused nor stopped
    EXPECT_EQ(menu.Find(ID_SHOW_HIDE)->text, LoadLocalizedString(110));
    EXPECT_EQ(menu.children.size(), 19u);
}

TEST(TrayMenuTest, PausedAndStoppedClipsAndSilentClips)
{
    CMenuState state = LoadedVideo();
    state.playing = false;
    state.paused = true;
    CMenuItem menu = BuildTrayMenu(state);
    EXPECT_TRUE(Enabled(menu, ID_PLAY));
    EXPECT_FALSE(Enabled(menu, ID_PAUSE));
    EXPECT_TRUE(Enabled(menu, ID_STOP));

    state.paused = false;
    state.stopped = true;
    state.hasAudio = false;
    menu = BuildTrayMenu(state);
    EXPECT_TRUE(Enabled(menu, ID_PLAY));
    EXPECT_FALSE(Enabled(menu, ID_STOP));
    EXPECT_FALSE(Enabled(menu, ID_MUTE));
}

TEST(TrayMenuTest, ChecksFollowTheModes)
{
    CMenuState state = LoadedVideo();
    state.topMost = true;
    state.muted = true;
    state.repeat = true;
    state.skin = 0;
    state.shutdownMode = 2;
    CMenuItem menu = BuildTrayMenu(state);
    EXPECT_TRUE(Checked(menu, ID_ALWAYS_ON_TOP));
    EXPECT_TRUE(Checked(menu, ID_MUTE));
    EXPECT_TRUE(Checked(menu, ID_REPEAT));
    EXPECT_TRUE(Checked(menu, ID_SKIN_METAL_RED));
    EXPECT_FALSE(Checked(menu, ID_SHUTDOWN_NONE));
    EXPECT_FALSE(Checked(menu, ID_SHUTDOWN_CLIP_END));
    EXPECT_TRUE(Checked(menu, ID_SHUTDOWN_PLAYLIST_END));
    EXPECT_FALSE(Checked(menu, ID_SHUTDOWN_MINUTES));

    // "Metal Red" carries its mark only for skin index 0.
    state.skin = 2;
    state.shutdownMode = 0;
    menu = BuildTrayMenu(state);
    EXPECT_FALSE(Checked(menu, ID_SKIN_METAL_RED));
    EXPECT_TRUE(Checked(menu, ID_SHUTDOWN_NONE));
    EXPECT_EQ(menu.Find(ID_SHUTDOWN_NONE)->text, QStringLiteral("NULL"));
}

TEST(TrayMenuTest, TextsComeFromTheInterfaceLanguage)
{
    const int previous = InterfaceLanguage();
    SetInterfaceLanguage(1031);  // German
    const CMenuItem menu = BuildTrayMenu(LoadedVideo());
    EXPECT_EQ(menu.Find(ID_EXIT)->text, LoadLocalizedString(201));
    EXPECT_NE(menu.FindPopup(LoadLocalizedString(106)), nullptr);  // "Help"
    SetInterfaceLanguage(previous);
}

TEST(FullScreenMenuTest, HasTransportStepsHelpAndExitWithFullScreenChecked)
{
    CMenuState state = LoadedVideo();
    state.muted = true;
    const CMenuItem menu = BuildFullScreenMenu(state);
    EXPECT_EQ(menu.children.size(), 16u);
    EXPECT_TRUE(Checked(menu, ID_FULL_SCREEN));
    EXPECT_TRUE(Checked(menu, ID_MUTE));
    EXPECT_EQ(menu.children[13].kind, CMenuItem::Kind::Popup);
    EXPECT_NE(menu.Find(ID_ABOUT), nullptr);
    EXPECT_EQ(menu.Find(ID_OPEN_CLIP), nullptr);
    EXPECT_EQ(menu.Find(ID_SHUTDOWN_NONE), nullptr);
    EXPECT_FALSE(Enabled(menu, ID_PLAY));
}

TEST(TrackMenuTest, StreamsAreListedCheckedAndGrayedByState)
{
    CMenuState state = LoadedVideo();
    state.audioTracks = QStringList{QStringLiteral("English"), QStringLiteral("русский")};
    state.currentAudio = 1;
    state.subtitleTracks = QStringList{QStringLiteral("film.srt")};
    state.currentSubtitle = 0;
    for (const CMenuItem& menu : {BuildTrayMenu(state), BuildFullScreenMenu(state)}) {
        const CMenuItem* audio = menu.FindPopup(LoadLocalizedString(232));  // "Audio"
        ASSERT_NE(audio, nullptr);
        ASSERT_EQ(audio->children.size(), 2u);
        EXPECT_EQ(audio->children[1].text, QStringLiteral("русский"));
        EXPECT_FALSE(Checked(menu, ID_AUDIO_TRACK_FIRST));
        EXPECT_TRUE(Checked(menu, ID_AUDIO_TRACK_FIRST + 1));
        EXPECT_TRUE(Checked(menu, ID_SUBTITLE_TRACK_FIRST));
        EXPECT_FALSE(Checked(menu, ID_SUBTITLE_OFF));
        EXPECT_TRUE(Enabled(menu, ID_LOAD_SUBTITLE));
        EXPECT_FALSE(Enabled(menu, ID_UNLOAD_SUBTITLE));  // no file loaded
    }

    state.subtitleFile = true;
    state.currentSubtitle = -1;
    CMenuItem menu = BuildTrayMenu(state);
    EXPECT_TRUE(Enabled(menu, ID_UNLOAD_SUBTITLE));
    EXPECT_TRUE(Checked(menu, ID_SUBTITLE_OFF));
    EXPECT_FALSE(Checked(menu, ID_SUBTITLE_TRACK_FIRST));

    // Without video neither command applies, and no clip means no tracks.
    menu = BuildTrayMenu(CMenuState{});
    EXPECT_EQ(menu.FindPopup(LoadLocalizedString(232)), nullptr);
    EXPECT_FALSE(Enabled(menu, ID_LOAD_SUBTITLE));
    EXPECT_FALSE(Enabled(menu, ID_UNLOAD_SUBTITLE));
}
