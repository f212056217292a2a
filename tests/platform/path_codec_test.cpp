// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/path_codec.h"

#include <temp_home.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes += char(value);
    return bytes;
}

void ExpectRoundTrip(const QByteArray& bytes)
{
    EXPECT_EQ(EncodePath(DecodePath(bytes)), bytes) << bytes.toHex(' ').toStdString();
}

TEST(PathCodec, EveryByteSequenceComesBackAsTheSameBytes)
{
    // Every one- and two-byte name, and the hard cases of longer ones:
    // overlong forms, encoded surrogates (which must not pass as the escape
    // units themselves), code points above U+10FFFF and cut sequences.
    for (int a = 1; a < 256; ++a) {
        for (int b = 1; b < 256; ++b)
            ExpectRoundTrip(Bytes({a, b}));
    }
    for (const QByteArray& bytes : {Bytes({0xC0, 0x80}), Bytes({0xE0, 0x80, 0x80}), Bytes({0xED, 0xB2, 0x80}),
                                    Bytes({0xED, 0xA0, 0x80, 0xED, 0xB0, 0x80}), Bytes({0xF4, 0x90, 0x80, 0x80}),
                                    Bytes({0xF0, 0x9F, 0x8E}), Bytes({'a', 0xE2, 0x82}), Bytes({0xFF, 0xFE, 'x'})})
        ExpectRoundTrip(bytes);
}

TEST(PathCodec, ValidUtf8IsPlainTextAndOnlyBadBytesAreEscaped)
{
    const QByteArray valid = QStringLiteral("/m/Caf\u00e9 \u65e5\u672c \U0001F3B5.mp3").toUtf8();
    EXPECT_EQ(DecodePath(valid), QString::fromUtf8(valid));

    const QString decoded = DecodePath(QByteArray("/m/caf\xE9.mp3"));
    EXPECT_EQ(decoded, QStringLiteral("/m/caf") + QChar(0xDCE9) + QStringLiteral(".mp3"));
    EXPECT_EQ(DisplayPath(decoded), QStringLiteral("/m/caf\uFFFD.mp3"));
    // An escaped surrogate written as UTF-8 is three bad bytes, not the unit.
    EXPECT_EQ(DecodePath(Bytes({0xED, 0xB3, 0xA9})).size(), 3);
}

TEST(PathCodec, DroppedUrlsAndDialogNamesKeepTheirBytes)
{
    const QUrl url = QUrl::fromEncoded("file:///m/caf%E9%20x.mp3");
    EXPECT_EQ(EncodePath(PathFromLocalUrl(url)), QByteArray("/m/caf\xE9 x.mp3"));
    EXPECT_TRUE(PathFromLocalUrl(QUrl(QStringLiteral("https://example.org/a.mp3"))).isEmpty());
    // A name given on the command line, relative to the working folder.
    EXPECT_EQ(EncodePath(AbsolutePath(DecodePath("./sub/../caf\xE9.mp3"))),
              EncodePath(QDir::currentPath()) + "/caf\xE9.mp3");

    // A dialog hands back the lossy name; the entry on disk is found again.
    const QByteArray dir = EncodePath(testsupport::MakeScratchDir(QStringLiteral("codec")));
    const QByteArray folder = dir + "/f\xF6lder";
    ASSERT_EQ(mkdir(folder.constData(), 0700), 0);
    const QByteArray file = folder + "/caf\xE9.mp3";
    close(open(file.constData(), O_CREAT | O_WRONLY, 0600));
    const QString lossy = QString::fromUtf8(file);
    ASSERT_TRUE(lossy.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(EncodePath(RecoverLossyPath(lossy)), file);

    // Two entries that look alike cannot be told apart: the name is left.
    const QByteArray twin = folder + "/caf\xE8.mp3";
    close(open(twin.constData(), O_CREAT | O_WRONLY, 0600));
    EXPECT_EQ(RecoverLossyPath(lossy), lossy);
}

}  // namespace
