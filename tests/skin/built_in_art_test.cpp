// SPDX-License-Identifier: GPL-3.0-or-later
// The committed art of both built-in skins: each sheet is what the art tool
// draws, has the format the skin expects, and its pieces continue one
// another.
#include "metal_red_art.h"
#include "skin/skin_catalog.h"
#include "skin/sprite_layout.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace {

QString Source(const char* path) { return QStringLiteral(VELMORA_SOURCE_DIR "/") + QLatin1String(path); }

struct BuiltInSheet {
    const char* name;
    QImage (*draw)();
    const char* committed;
    int skin;
};

std::ostream& operator<<(std::ostream& out, const BuiltInSheet& sheet) { return out << sheet.name; }

class SkinBuiltInSheet : public testing::TestWithParam<BuiltInSheet> {
protected:
    void SetUp() override { m_sheet = GetParam().draw(); }

    QRgb At(int x, int y) const { return m_sheet.pixel(x, y) & 0xFFFFFF; }
    // Column `x` rows y0 ... y0 + n - 1 equal column `x2` from y2.
    bool SameColumn(int x, int y0, int x2, int y2, int n) const
    {
        for (int i = 0; i < n; ++i)
            if (At(x, y0 + i) != At(x2, y2 + i))
                return false;
        return true;
    }
    bool SameRow(int x0, int y, int x2, int y2, int n) const
    {
        for (int i = 0; i < n; ++i)
            if (At(x0 + i, y) != At(x2 + i, y2))
                return false;
        return true;
    }

    QImage m_sheet;
};

INSTANTIATE_TEST_SUITE_P(
    Art, SkinBuiltInSheet,
    testing::Values(BuiltInSheet{"MetalRed", DrawMetalRedSheet, "res/skin/metal_red.bmp", SKIN_METAL_RED},
                    BuiltInSheet{"BlueCurve", DrawBlueCurveSheet, "res/skin/blue_curve.bmp", SKIN_BLUE_CURVE}),
    [](const testing::TestParamInfo<BuiltInSheet>& param) { return param.param.name; });

TEST_P(SkinBuiltInSheet, CommittedFileIsTheToolsOutput)
{
    QFile file(Source(GetParam().committed));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24u) << "24 bits per pixel";
    EXPECT_GT(qFromLittleEndian<qint32>(bytes.constData() + 22), 0) << "stored bottom-up";
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 30), 0u) << "no compression";

    QImage committed;
    ASSERT_TRUE(committed.loadFromData(bytes, "BMP"));
    ASSERT_EQ(committed.size(), sprite::kSheetSize);
    committed = committed.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < committed.height(); ++y)
        for (int x = 0; x < committed.width(); ++x)
            ASSERT_EQ(committed.pixel(x, y) & 0xFFFFFF, At(x, y))
                << GetParam().committed << " is stale at (" << x << ", " << y << "): run velmora_skin_art";
}

// Relative luminance as the WCAG contrast formula uses it.
double Luminance(QRgb c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

TEST_P(SkinBuiltInSheet, TimeTextContrastsStronglyWithItsBackground)
{
    // The rows behind the digits: at least 7:1 against the skin's time text.
    const double text = Luminance(BuiltInSkin(GetParam().skin).colours.time);
    for (int y = 4; y <= 13; ++y) {
        const double back = Luminance(At(sprite::kTextTile.x(), sprite::kTextTile.y() + y));
        EXPECT_GE((std::max(back, text) + 0.05) / (std::min(back, text) + 0.05), 7.0) << y;
    }
}

TEST_P(SkinBuiltInSheet, UnusedAreasAreMagenta)
{
    for (QPoint p : {QPoint(165, 68), QPoint(180, 80), QPoint(164, 35), QPoint(209, 5), QPoint(194, 8),
                     QPoint(10, 115), QPoint(360, 121), QPoint(221, 30), QPoint(35, 50)})
        EXPECT_EQ(At(p.x(), p.y()), 0xFF00FFu) << p.x() << ", " << p.y();
    // Nothing that is copied is magenta.
    for (const QRect& piece : {sprite::kMainTopLeft, sprite::kMainTopRight, sprite::kTransportStrip,
                               sprite::kListButtonStrip, sprite::kListBottomLeft, sprite::kThumbNormal})
        for (int y = piece.top(); y <= piece.bottom(); ++y)
            for (int x = piece.left(); x <= piece.right(); ++x)
                ASSERT_NE(At(x, y), 0xFF00FFu) << x << ", " << y;
}

TEST_P(SkinBuiltInSheet, TilesContinueTheirCorners)
{
    using namespace sprite;
    const QPoint tl = kMainTopLeft.topLeft(), tr = kMainTopRight.topLeft();
    const QPoint bl = kMainBottomLeft.topLeft(), br = kMainBottomRight.topLeft();
    // Top edge and title bar: the last column of the top-left corner and the
    // first of the top-right piece equal the tiles between them.
    EXPECT_TRUE(SameColumn(tl.x() + 34, tl.y(), kTopEdgeTile.x(), kTopEdgeTile.y(), 6));
    EXPECT_TRUE(SameColumn(tr.x(), tr.y(), kTopEdgeTile.x(), kTopEdgeTile.y(), 6));
    EXPECT_TRUE(SameColumn(tl.x() + 34, tl.y() + 6, kTitleBarTile.x(), kTitleBarTile.y(), 17));
    EXPECT_TRUE(SameColumn(tr.x(), tr.y() + 6, kTitleBarTile.x(), kTitleBarTile.y(), 17));
    // Side edges: the rows of the corners next to the edge tiles.
    EXPECT_TRUE(SameRow(tl.x(), tl.y() + 24, kLeftEdgeTile.x(), kLeftEdgeTile.y(), 6));
    EXPECT_TRUE(SameRow(tr.x() + 118, tr.y() + 24, kRightEdgeTile.x(), kRightEdgeTile.y(), 6));
    EXPECT_TRUE(SameRow(bl.x(), bl.y(), kLeftEdgeTile.x(), kLeftEdgeTile.y(), 6));
    EXPECT_TRUE(SameRow(br.x() + 16, br.y(), kRightEdgeTile.x(), kRightEdgeTile.y(), 6));
    // Bottom edge: the bottom corners end in the edge tile.
    EXPECT_TRUE(SameColumn(bl.x() + 21, bl.y() + 15, kBottomEdgeTile.x(), kBottomEdgeTile.y(), 6));
    EXPECT_TRUE(SameColumn(br.x(), br.y() + 15, kBottomEdgeTile.x(), kBottomEdgeTile.y(), 6));
    // The playlist's corners and its title bar.
    const QPoint ptl = kListTopLeft.topLeft(), ptr = kListTopRight.topLeft();
    const QPoint pbl = kListBottomLeft.topLeft(), pbr = kListBottomRight.topLeft();
    EXPECT_TRUE(SameColumn(ptl.x() + 24, ptl.y(), kTopEdgeTile.x(), kTopEdgeTile.y(), 6));
    EXPECT_TRUE(SameColumn(ptl.x() + 24, ptl.y() + 6, kTitleBarTile.x(), kTitleBarTile.y(), 17));
    EXPECT_TRUE(SameRow(ptl.x(), ptl.y() + 22, kLeftEdgeTile.x(), kLeftEdgeTile.y(), 6));
    EXPECT_TRUE(SameColumn(ptr.x(), ptr.y(), kTopEdgeTile.x(), kTopEdgeTile.y(), 6));
    EXPECT_TRUE(SameColumn(kListTitleEndA.x() + 1, kListTitleEndA.y(), kTitleBarTile.x(), kTitleBarTile.y(), 17));
    EXPECT_TRUE(SameColumn(pbl.x() + 90, pbl.y() + 22, kBottomEdgeTile.x(), kBottomEdgeTile.y(), 6));
    EXPECT_TRUE(SameRow(pbl.x(), pbl.y(), kLeftEdgeTile.x(), kLeftEdgeTile.y(), 6));
    EXPECT_TRUE(SameColumn(pbr.x(), pbr.y() + 23, kBottomEdgeTile.x(), kBottomEdgeTile.y(), 6));
    EXPECT_TRUE(SameRow(pbr.x() + 35, pbr.y(), kRightEdgeTile.x(), kRightEdgeTile.y(), 6));
    // The seek progress keeps the track's rims.
    for (int row : {0, 1, 2, 8, 9, 10})
        EXPECT_EQ(At(kSeekProgressTile.x(), row), At(kSeekTrackTile.x(), row)) << row;
    // The groove pixel is the title bar's top row, where the two share pixels.
    EXPECT_EQ(At(kGroovePixel.x(), kGroovePixel.y()), At(kTitleBarTile.x(), kTitleBarTile.y()));
}

TEST(SkinPlayerIcons, EveryIdHasAnImageWithAlpha)
{
    for (int id : {138, 140, 142, 144, 153, 154, 155}) {
        for (int size : {32, 16}) {
            const QImage drawn = DrawPlayerIcon(id, size);
            ASSERT_EQ(drawn.size(), QSize(size, size)) << id;
            EXPECT_TRUE(drawn.hasAlphaChannel());
            EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0) << id << ": corners are transparent";
            EXPECT_EQ(qAlpha(drawn.pixel(size / 2, size / 2)), 255) << id;
        }
        const QImage committed(Source("res/icons/") + QString::number(id) + QStringLiteral(".png"));
        EXPECT_EQ(committed.size(), QSize(32, 32)) << id;
    }
    EXPECT_TRUE(DrawPlayerIcon(139, 32).isNull());
    EXPECT_TRUE(QFile::exists(Source("res/icons/velmora.svg")));
}

}  // namespace
