// SPDX-License-Identifier: GPL-3.0-or-later
// Skins of the user's own: what is accepted, what is refused and why,
// before anything is drawn from them.
#include "skin/skin_catalog.h"
#include "skin/sprite_layout.h"
#include "temp_home.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Png(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(0x2040A0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray Chunk(const char* type, const QByteArray& data)
{
    const QByteArray body = QByteArray(type) + data;
    char length[4];
    char crc[4];
    qToBigEndian(quint32(data.size()), length);
    qToBigEndian(Crc32(body), crc);
    return QByteArray(length, 4) + body + QByteArray(crc, 4);
}

// A small PNG file whose well-formed header claims `width` x `height` RGB
// pixels: decoding it would need gigabytes.
QByteArray PngClaiming(quint32 width, quint32 height)
{
    char numbers[8];
    qToBigEndian(width, numbers);
    qToBigEndian(height, numbers + 4);
    // 8 bits, RGB, deflate, no filter, not interlaced.
    const QByteArray header = QByteArray(numbers, 8) + QByteArray("\x08\x02\x00\x00\x00", 5);
    const QByteArray data("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9);  // a scrap of deflate data
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", data) + Chunk("IEND", {});
}

struct LoadCase {
    const char* name;
    std::function<void(const QString& folder)> make;  // fills the skin's folder
    SkinLoadError error;
    bool namesSheet;  // the error names sheet.png rather than the folder
};

TEST(UserSkinLoad, AcceptsOnlyAReadableSheetOfTheMapsSize)
{
    const QSize map = sprite::kSheetSize;
    const LoadCase cases[] = {
        {"valid", [&](const QString& f) { Write(f + "/sheet.png", Png(map)); }, SkinLoadError::None, true},
        {"wrong size",
         [](const QString& f) {
             Write(f + "/sheet.png", Png({200, 100}));
         },
         SkinLoadError::WrongSize, true},
        {"truncated", [&](const QString& f) { Write(f + "/sheet.png", Png(map).left(Png(map).size() / 2)); },
         SkinLoadError::Damaged, true},
        {"huge header", [](const QString& f) { Write(f + "/sheet.png", PngClaiming(100000, 100000)); },
         SkinLoadError::WrongSize, true},
        {"not a png", [](const QString& f) { Write(f + "/sheet.png", "GIF89a not really"); },
         SkinLoadError::Damaged, true},
        {"no sheet", [](const QString& f) { Write(f + "/skin.ini", "[Skin]\nName=Empty\n"); },
         SkinLoadError::NoSheet, true},
        {"no folder", [](const QString& f) { QDir(f).removeRecursively(); }, SkinLoadError::NoFolder, false},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = testsupport::MakeScratchDir(QStringLiteral("skin-load"));
        c.make(folder);
        const CUserSkinLoad load = LoadUserSkin(folder);
        EXPECT_EQ(load.error, c.error);
        EXPECT_EQ(load.sheet.isNull(), c.error != SkinLoadError::None);
        if (c.error != SkinLoadError::None) {
            EXPECT_EQ(load.file, c.namesSheet ? folder + "/sheet.png" : folder);
        }
    }
    const QString folder = testsupport::MakeScratchDir(QStringLiteral("skin-load"));
    Write(folder + "/sheet.png", PngClaiming(100000, 100000));
    EXPECT_EQ(LoadUserSkin(folder).headerSize, QSize(100000, 100000));
}

TEST(UserSkinLoad, DescriptionGivesNameAndColoursAndIgnoresWhatItCannotRead)
{
    const QString folder = testsupport::MakeScratchDir(QStringLiteral("skin-ini")) + "/dusk";
    QDir().mkpath(folder);
    Write(folder + "/sheet.png", Png(sprite::kSheetSize));
    Write(folder + "/skin.ini", "[Skin]\nName=Dusk Glass\nTitleText=#102030\nTimeText=not a colour\n");
    CUserSkinLoad load = LoadUserSkin(folder);
    EXPECT_EQ(load.displayName, QStringLiteral("Dusk Glass"));
    EXPECT_EQ(load.colours.title, 0x102030u);
    EXPECT_EQ(load.colours.time, CSkinTextColours().time);

    // An oversized description is not read: the folder's name stands.
    Write(folder + "/skin.ini", "[Skin]\nName=Big\n" + QByteArray(100 * 1024, ';'));
    EXPECT_EQ(LoadUserSkin(folder).displayName, QStringLiteral("dusk"));
}

TEST(UserSkinFind, TheUsersFolderHidesAPackagedSkinOfTheSameName)
{
    const QString user = testsupport::MakeScratchDir(QStringLiteral("skins-user"));
    const QString system = testsupport::MakeScratchDir(QStringLiteral("skins-system"));
    for (const QString& path : {user + "/ocean", system + "/ocean", system + "/amber"})
        QDir().mkpath(path);
    Write(user + "/ocean/skin.ini", "[Skin]\nName=Ocean (mine)\n");
    const std::vector<CUserSkinFolder> found = FindUserSkins({user, system});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, QStringLiteral("amber"));
    EXPECT_EQ(found[1].displayName, QStringLiteral("Ocean (mine)"));
    EXPECT_EQ(FindUserSkinFolder({user, system}, QStringLiteral("amber")), system + "/amber");
    EXPECT_TRUE(FindUserSkinFolder({user, system}, QStringLiteral("../skins-system/amber")).isEmpty());
}

}  // namespace
