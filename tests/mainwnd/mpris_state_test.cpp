// SPDX-License-Identifier: GPL-3.0-or-later
// The translations between the player's state and the media-player
// interface's values.
#include "mainwnd/mpris_state.h"
#include "playlist/playlist_row.h"

#include <gtest/gtest.h>

#include <QDBusObjectPath>

namespace {

TEST(MprisStateTest, LoopStatusRoundTripsAndRefusesUnknownTexts)
{
    for (const QString& status : {QStringLiteral("None"), QStringLiteral("Track"), QStringLiteral("Playlist")}) {
        const auto modes = mpris::ParseLoopStatus(status);
        ASSERT_TRUE(modes.has_value());
        EXPECT_EQ(mpris::LoopStatus(*modes), status);
    }
    // Clip repeat wins over playlist repeat.
    EXPECT_EQ(mpris::LoopStatus({true, true}), QStringLiteral("Track"));
    EXPECT_FALSE(mpris::ParseLoopStatus(QStringLiteral("track")).has_value());
    EXPECT_FALSE(mpris::ParseLoopStatus(QString()).has_value());
}

TEST(MprisStateTest, LengthTextsBecomeMicrosecondsAndGarbageNone)
{
    EXPECT_EQ(mpris::LengthFromText(QStringLiteral("00:03:40")), 220LL * 1000000);
    EXPECT_EQ(mpris::LengthFromText(QStringLiteral("01:05")), 65LL * 1000000);
    EXPECT_EQ(mpris::LengthFromText(QStringLiteral("123:00:01")), (123LL * 3600 + 1) * 1000000);
    EXPECT_EQ(mpris::LengthFromText(QStringLiteral("00:00")), 0);
    EXPECT_EQ(mpris::LengthFromText(QStringLiteral("abc")), 0);
    EXPECT_EQ(mpris::LengthFromText(QStringLiteral("99999999999:00:00")), 0);
}

TEST(MprisStateTest, MetadataNamesTheRowWithAValidTrackIdAndAnEncodedUrl)
{
    CPlaylistRow row;
    row.InitFromFoundName(QStringLiteral("/music/a b"), QStringLiteral("Ünïcode #1.mp3"));
    const QVariantMap metadata = mpris::TrackMetadata(7, row, 5000000);
    const auto trackId = metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>();
    EXPECT_EQ(trackId.path(), QStringLiteral("/org/velmora/Velmora/Track/7"));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("Ünïcode #1.mp3"));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:url")).toString(),
              QStringLiteral("file:///music/a%20b/%C3%9Cn%C3%AFcode%20%231.mp3"));
    EXPECT_EQ(metadata.value(QStringLiteral("mpris:length")).toLongLong(), 5000000);
    EXPECT_FALSE(mpris::TrackMetadata(0, row, 0).contains(QStringLiteral("mpris:length")));
}

TEST(MprisStateTest, MimeTypesComeFromTheMediaExtensionsPreferringMedia)
{
    QStringList types = mpris::MediaMimeTypes();
    EXPECT_TRUE(types.contains(QStringLiteral("audio/mpeg")));
    EXPECT_TRUE(types.contains(QStringLiteral("video/x-msvideo")));
    // ".ts" is a transport stream here, not a translation file.
    EXPECT_TRUE(types.contains(QStringLiteral("video/mp2t")));
    EXPECT_FALSE(types.contains(QStringLiteral("text/vnd.trolltech.linguist")));
    EXPECT_EQ(types.removeDuplicates(), 0);
}

}  // namespace
