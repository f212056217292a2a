// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistwnd/playlist_docking.h"

#include <gtest/gtest.h>

namespace {

// The main window of the examples: (100, 100)-(503, 380), right and bottom
// exclusive; the playlist window is 318 x 100.
const QRect kMain(QPoint(100, 100), QSize(403, 280));
const QSize kList(318, 100);

QRect ListAt(int left, int top) { return QRect(QPoint(left, top), kList); }

TEST(PlaylistDocking, FollowPlacesEverySideCodeAndIgnoresUnknownOnes)
{
    const int W = kList.width(), H = kList.height();
    const int ml = 100, mt = 100, mr = 503, mb = 380, D = -50;
    const QPoint expected[] = {
        {ml, mt - H + 1},     {mr, mt - H + 1},     {ml - W, mt - H + 1}, {ml - W + 1, mt},
        {ml - W + 1, mb},     {ml - W + 1, mt - H}, {ml, mb - 1},         {ml - W, mb - 1},
        {mr, mb - 1},         {mr - 1, mt},         {mr - 1, mb},         {mr - 1, mt - H},
        {ml - D, mt - H + 1}, {ml - D, mb - 1},     {ml - W + 1, mt - D}, {mr - 1, mt - D},
    };
    for (int side = 1; side <= 16; ++side) {
        const auto at = FollowMainWindow(kMain, kList, CDockState{1, side, D});
        ASSERT_TRUE(at.has_value()) << "side " << side;
        EXPECT_EQ(*at, expected[side - 1]) << "side " << side;
    }
    for (int side : {0, 17, -1})
        EXPECT_FALSE(FollowMainWindow(kMain, kList, CDockState{1, side, 0})) << "side " << side;
    EXPECT_FALSE(FollowMainWindow(kMain, kList, CDockState{0, 10, 0}));
}

TEST(PlaylistDocking, RightEdgeExamples)
{
    // Not yet docked: only the touching edge is aligned.
    CDockState dock{0, 5, 7};
    EXPECT_EQ(SnapToMainWindow(ListAt(505, 104), kMain, dock), QPoint(502, 104));
    EXPECT_EQ(dock.Docked, 1);
    EXPECT_EQ(dock.DockedSide, 5);

    // Docked: the tops are aligned too.
    EXPECT_EQ(SnapToMainWindow(ListAt(505, 104), kMain, dock), QPoint(502, 100));
    EXPECT_EQ(dock.DockedSide, 10);

    // Away from the top: side 16 with the offset, which the follow step keeps.
    EXPECT_EQ(SnapToMainWindow(ListAt(505, 150), kMain, dock), QPoint(502, 150));
    EXPECT_EQ(dock.DockedSide, 16);
    EXPECT_EQ(dock.Distance, -50);
    EXPECT_EQ(FollowMainWindow(kMain.translated(0, 20), kList, dock), QPoint(502, 170));
}

TEST(PlaylistDocking, SnapTestsRunInOrder)
{
    struct Case {
        QRect playlist;
        int docked;  // before
        QPoint at;
        int side;  // after; 0 means unchanged
        int distance;
    };
    const int W = kList.width(), H = kList.height();
    const Case cases[] = {
        // Right of the main window: top near its bottom, bottom near its top.
        {ListAt(500, 385), 1, {502, 380}, 11, 0},
        {ListAt(498, 5), 1, {502, 0}, 12, 0},
        // Left of it: pr = pl + W near 100.
        {ListAt(100 - W + 4, 96), 0, {100 - W + 1, 96}, 0, 0},
        {ListAt(100 - W + 4, 96), 1, {100 - W + 1, 100}, 4, 0},
        {ListAt(100 - W - 6, 372), 1, {100 - W + 1, 380}, 5, 0},
        {ListAt(100 - W + 9, 8), 1, {100 - W + 1, 0}, 6, 0},
        {ListAt(100 - W, 200), 1, {100 - W + 1, 200}, 15, -100},
        // Above: side 1 overlaps by one pixel; elsewhere side 13.
        {ListAt(108, 100 - H - 9), 0, {108, 1}, 0, 0},
        {ListAt(108, 100 - H - 9), 1, {100, 1}, 1, 0},
        {ListAt(200, 100 - H + 3), 1, {200, 1}, 13, -100},
        // Below: side 7 or 14.
        {ListAt(92, 389), 0, {92, 379}, 0, 0},
        {ListAt(92, 389), 1, {100, 379}, 7, 0},
        {ListAt(150, 371), 1, {150, 379}, 14, -50},
        // A corner position is caught by the right-edge test first.
        {ListAt(503, 380), 1, {502, 380}, 11, 0},
        // Ten pixels either side of an edge is still near it.
        {ListAt(513, 200), 0, {502, 200}, 0, 0},
        {ListAt(493, 200), 0, {502, 200}, 0, 0},
        {ListAt(200, 100 - H + 10), 0, {200, 1}, 0, 0},
        {ListAt(200, 100 - H - 10), 0, {200, 1}, 0, 0},
    };
    for (const Case& c : cases) {
        CDockState dock{c.docked, 99, 0};
        EXPECT_EQ(SnapToMainWindow(c.playlist, kMain, dock), c.at) << c.playlist.x() << "," << c.playlist.y();
        EXPECT_EQ(dock.Docked, 1);
        EXPECT_EQ(dock.DockedSide, c.side ? c.side : 99) << c.playlist.x() << "," << c.playlist.y();
        EXPECT_EQ(dock.Distance, c.distance) << c.playlist.x() << "," << c.playlist.y();
    }
}

TEST(PlaylistDocking, ElevenPixelsAwayUndocksAndThenNothingFollows)
{
    // Left edge 11 pixels either side of the main window's right edge.
    for (const QPoint away : {QPoint(514, 100), QPoint(492, 200)}) {
        CDockState dock{1, 10, 0};
        EXPECT_EQ(SnapToMainWindow(ListAt(away.x(), away.y()), kMain, dock), away);
        EXPECT_EQ(dock.Docked, 0);
        EXPECT_EQ(dock.DockedSide, 10);
        EXPECT_FALSE(FollowMainWindow(kMain.translated(40, 0), kList, dock));
    }
}

}  // namespace
