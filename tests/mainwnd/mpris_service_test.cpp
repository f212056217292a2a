// SPDX-License-Identifier: GPL-3.0-or-later
// The properties the desktop's media widgets read, from the player's state.
#include "main_frame_fixture.h"

#include "mainwnd/mpris_adaptors.h"
#include "mainwnd/mpris_service.h"

namespace {

class MprisServiceTest : public MainFrameTest {
protected:
    QVariant Property(const char* name) const { return m_service.PlayerProperties().value(QLatin1String(name)); }

    CMprisService m_service{Main(), m_context};
};

TEST_F(MprisServiceTest, CanPropertiesFollowTheListAndTheLoadedClip)
{
    const char* const names[] = {"CanGoNext", "CanGoPrevious", "CanPlay", "CanPause", "CanSeek"};
    // Next and Previous are offered only where they take a row: from no
    // current row Next takes the first, from the last row nothing follows.
    const struct {
        int rows;
        int open;
        bool expected[std::size(names)];
    } cases[] = {
        {0, -1, {false, false, false, false, false}},
        {2, -1, {true, false, true, false, false}},
        {2, 0, {true, false, true, true, true}},
        {2, 1, {false, true, true, true, true}},
    };
    for (const auto& c : cases) {
        AddRows(c.rows - m_playlist.GetCount());
        if (c.open >= 0)
            OpenRow(c.open);
        for (std::size_t i = 0; i < std::size(names); ++i)
            EXPECT_EQ(Property(names[i]).toBool(), c.expected[i]) << names[i] << " with " << c.rows << " rows";
    }
}

TEST_F(MprisServiceTest, StatusLoopShuffleAndRateReadAndWrittenAsTheBusDoes)
{
    QObject* player = m_service.findChild<CMprisPlayerAdaptor*>();
    ASSERT_TRUE(player);
    AddRows(2);
    EXPECT_EQ(player->property("PlaybackStatus").toString(), QStringLiteral("Stopped"));
    OpenRow(0);
    EXPECT_EQ(player->property("PlaybackStatus").toString(), QStringLiteral("Playing"));
    Engine().Pause();
    EXPECT_EQ(player->property("PlaybackStatus").toString(), QStringLiteral("Paused"));

    const struct {
        const char* loop;
        bool clipRepeat;
        int playlistRepeat;
    } loops[] = {{"Track", true, 0}, {"Playlist", false, 1}, {"None", false, 0}};
    for (const auto& c : loops) {
        player->setProperty("LoopStatus", QString::fromLatin1(c.loop));
        EXPECT_EQ(Engine().IsRepeat(), c.clipRepeat) << c.loop;
        EXPECT_EQ(m_settings.PlaylistRepeat, c.playlistRepeat) << c.loop;
        EXPECT_EQ(player->property("LoopStatus").toString(), QLatin1String(c.loop));
    }
    m_settings.PlaylistRepeat = 1;
    Engine().ToggleRepeat();
    EXPECT_EQ(player->property("LoopStatus").toString(), QStringLiteral("Track"));

    for (const bool shuffle : {true, false}) {
        player->setProperty("Shuffle", shuffle);
        EXPECT_EQ(m_settings.Shuffle != 0, shuffle);
        EXPECT_EQ(player->property("Shuffle").toBool(), shuffle);
    }

    const struct {
        double set, read;
    } volumes[] = {{2.0, 1.0}, {-1.0, 0.0}, {1.0, 1.0}, {0.5, 0.5}};
    for (const auto& v : volumes) {
        player->setProperty("Volume", v.set);
        EXPECT_DOUBLE_EQ(player->property("Volume").toDouble(), v.read) << v.set;
    }
    Engine().ToggleMute();
    EXPECT_DOUBLE_EQ(player->property("Volume").toDouble(), 0.0);

    // The advertised bounds are taken; just beyond them nothing changes.
    const double lowest = player->property("MinimumRate").toDouble();
    const double highest = player->property("MaximumRate").toDouble();
    for (const double rate : {lowest, highest, lowest - 0.01, highest + 0.01}) {
        const double before = Engine().Rate();
        player->setProperty("Rate", rate);
        const bool inRange = rate >= lowest && rate <= highest;
        EXPECT_DOUBLE_EQ(Engine().Rate(), inRange ? rate : before) << rate;
        EXPECT_DOUBLE_EQ(player->property("Rate").toDouble(), Engine().Rate());
    }
}

}  // namespace
