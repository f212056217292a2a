// SPDX-License-Identifier: GPL-3.0-or-later
// The translations between the player's state and the media-player
// interface's values.
#include "mainwnd/mpris_state.h"
#include "platform/path_codec.h"
#include "playlist/playlist_row.h"

#include <gtest/gtest.h>

#include <QDBusObjectPath>

#include <limits>

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

TEST(MprisStateTest, MetadataUrlKeepsTheBytesOfANameThatIsNotUtf8)
{
    CPlaylistRow row;
    row.InitFromFoundName(DecodePath("/music"), DecodePath("caf\xe9.wav"));
    EXPECT_EQ(mpris::TrackMetadata(0, row, 0).value(QStringLiteral("xesam:url")).toString(),
              QStringLiteral("file:///music/caf%E9.wav"));
}

TEST(MprisStateTest, SeekStaysInTheClipWithoutOverflowing)
{
    constexpr qlonglong kLength = 30000000;
    struct Case {
        qlonglong position, offset;
        std::optional<qlonglong> target;
    };
    const Case cases[] = {
        {1000000, 2000000, 3000000},
        {1000000, -5000000, 0},
        {1000000, kLength - 1000000, kLength},
        {1000000, kLength, std::nullopt},
        {1000000, std::numeric_limits<qlonglong>::max(), std::nullopt},
        {1000000, std::numeric_limits<qlonglong>::min(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mpris::SeekTarget(c.position, c.offset, kLength), c.target) << c.offset;
}

TEST(MprisStateTest, OnlyFileUrisOfThisMachineAreLocal)
{
    const std::pair<const char*, bool> cases[] = {
        {"file:///etc/passwd", true},          {"file://localhost/etc/passwd", true},
        {"file://LocalHost/etc/passwd", true}, {"file://otherhost/etc/passwd", false},
        {"http://localhost/a.mp3", false},     {"/etc/passwd", false},
    };
    for (const auto& [uri, local] : cases)
        EXPECT_EQ(mpris::IsLocalFileUri(QUrl(QString::fromLatin1(uri))), local) << uri;
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
