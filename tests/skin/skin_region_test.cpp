// SPDX-License-Identifier: GPL-3.0-or-later
// The window shape: a rectangle with corners rounded by an 11 x 11 ellipse.
#include "skin/bitmap_skin.h"
#include "coded_sheet.h"
#include "skin/plain_skin.h"
#include "skin/skin_geometry.h"
#include "skin/skin_state_record.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Pixels cut from the first rows of each corner, nearest row first.
constexpr int kCut[] = {3, 2, 1};

void ExpectRoundedCorners(const QRegion& region, QSize size)
{
    const int w = size.width(), h = size.height();
    for (int row = 0; row < 3; ++row) {
        for (int y : {row, h - 1 - row}) {
            EXPECT_FALSE(region.contains(QPoint(kCut[row] - 1, y))) << "row " << y;
            EXPECT_TRUE(region.contains(QPoint(kCut[row], y))) << "row " << y;
            EXPECT_TRUE(region.contains(QPoint(w - 1 - kCut[row], y))) << "row " << y;
            EXPECT_FALSE(region.contains(QPoint(w - kCut[row], y))) << "row " << y;
        }
    }
    for (int y = 3; y < h - 3; ++y) {
        ASSERT_TRUE(region.contains(QPoint(0, y))) << y;
        ASSERT_TRUE(region.contains(QPoint(w - 1, y))) << y;
    }
    EXPECT_EQ(region.boundingRect(), QRect(QPoint(0, 0), size));
    EXPECT_FALSE(region.contains(QPoint(w, h / 2)));
    EXPECT_FALSE(region.contains(QPoint(w / 2, h)));
}

TEST(SkinWindowRegion, CornersFollowTheEllipse)
{
    for (QSize size : {QSize(403, 70), QSize(318, 100), QSize(1920, 1080)})
        ExpectRoundedCorners(RoundedWindowRegion(size), size);
    // Each corner is the quarter of an 11 x 11 ellipse.
    const QRegion region = RoundedWindowRegion(QSize(403, 70));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(region.contains(QPoint(x, y)), EllipseContainsPixel(QRect(0, 0, 11, 11), QPoint(x, y)))
                << x << ", " << y;
    EXPECT_TRUE(RoundedWindowRegion(QSize(0, 10)).isEmpty());
}

TEST(SkinWindowRegion, BitmapSkinShapesAndPlainSkinRestoresTheWindow)
{
    CSkinStateRecord state;
    CBitmapSkin bitmap(state, CodedSheet());
    CPlainSkin plain;
    QWidget window;
    window.resize(500, 300);
    bitmap.ApplyRegion(window);
    ExpectRoundedCorners(window.mask(), QSize(500, 300));
    plain.ApplyRegion(window);
    EXPECT_TRUE(window.mask().isEmpty());
}

}  // namespace
