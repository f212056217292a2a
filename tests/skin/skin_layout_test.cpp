// SPDX-License-Identifier: GPL-3.0-or-later
// Layout and hit-testing of both skins: control rectangles, hit order, the
// play button's ellipse, the volume knob, the scroll thumb and the video area.
#include "skin/bitmap_skin.h"
#include "coded_sheet.h"
#include "skin/plain_skin.h"
#include "skin/skin_geometry.h"
#include "skin/skin_ids.h"
#include "skin/skin_state_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ControlCase {
    int id;
    int left, top, right, bottom;  // as offsets: negative values count from W or H
};

// Resolves an offset: values below -1000 are taken from the far edge.
int Edge(int value, int size) { return value <= -1000 ? size + (value + 1000) : value; }
constexpr int W(int d) { return -1000 - d; }  // W - d
constexpr int H(int d) { return -1000 - d; }  // H - d

class SkinLayout : public testing::Test {
protected:
    CSkinStateRecord state;
    CBitmapSkin skin{state, CodedSheet()};
};

TEST_F(SkinLayout, MainControlRectanglesAtTwoSizes)
{
    state.m_nVolume = -2000;  // level 29 on the 59-pixel bar
    const std::vector<ControlCase> cases = {
        {MC_MAXIMIZE, W(40), 7, W(24), 20},
        {MC_MINIMIZE, W(57), 7, W(41), 20},
        {MC_CLOSE, W(23), 7, W(7), 20},
        {MC_PLAYPAUSE, 5, H(49), 46, H(6)},
        {MC_STOP, 159, H(26), 180, H(9)},
        {MC_LOAD, 183, H(26), 204, H(9)},
        {MC_SEEK, 74, H(46), W(151), H(35)},
        {MC_FULLSCREEN, W(74), 7, W(58), 20},
        {MC_FAST, 135, H(26), 156, H(9)},
        {MC_SLOW, 111, H(26), 132, H(9)},
        {MC_TOPMOST, W(91), 7, W(75), 20},
        {MC_HIDE, W(108), 7, W(92), 20},
        {MC_REPEAT, W(57), H(24), W(41), H(11)},
        {MC_MUTE, W(57), H(47), W(41), H(34)},
        {MC_VOLUME, W(69 + 29), H(46), W(61 + 29), H(35)},
        {MC_TIME, W(178), H(26), W(68), H(9)},
        {MC_TITLE, 13, 8, W(124), 20},
        {MC_VOLUMEBAR, W(127), H(46), W(62), H(35)},
        {MC_OPTIONS, W(23), H(47), W(7), H(34)},
        {MC_PLAYLIST, W(23), H(24), W(7), H(11)},
        {MC_PREVIOUS, 63, H(26), 84, H(9)},
        {MC_NEXT, 87, H(26), 108, H(9)},
        {MC_SHUFFLE, W(40), H(24), W(24), H(11)},
    };
    for (QSize size : {QSize(403, 70), QSize(1280, 720)}) {
        for (const ControlCase& c : cases) {
            QRect rc;
            ASSERT_TRUE(skin.GetMainControlRect(size, c.id, rc)) << c.id;
            EXPECT_EQ(rc, RectLTRB(Edge(c.left, size.width()), Edge(c.top, size.height()),
                                   Edge(c.right, size.width()), Edge(c.bottom, size.height())))
                << "control " << c.id << " at " << size.width() << "x" << size.height();
        }
    }
}

TEST_F(SkinLayout, PlaylistControlRectanglesAtTwoSizes)
{
    const std::vector<ControlCase> cases = {
        {PC_CLOSE, W(23), 7, W(7), 20},           {PC_ADDFILES, 97, H(26), 118, H(9)},
        {PC_ADDFOLDER, 121, H(26), 142, H(9)},    {PC_REMOVE, 145, H(26), 166, H(9)},
        {PC_CLEAR, 169, H(26), 190, H(9)},        {PC_SORT, 241, H(26), 262, H(9)},
        {PC_SAVE, 217, H(26), 238, H(9)},         {PC_LOAD, 193, H(26), 214, H(9)},
        {PC_MAXIMIZE, W(40), 7, W(24), 20},       {PC_REPEATLIST, 42, H(24), 58, H(11)},
        {PC_THUMB, W(22), 26, W(5), 60},          {PC_TITLE, 12, 6, W(128), 21},
        {PC_NAMEMODE, 25, H(24), 41, H(11)},      {PC_MOVEUP, W(40), H(24), W(24), H(11)},
        {PC_MOVEDOWN, W(23), H(24), W(7), H(11)},
    };
    for (QSize size : {QSize(318, 100), QSize(900, 1000)}) {
        for (const ControlCase& c : cases) {
            QRect rc;
            ASSERT_TRUE(skin.GetPlaylistControlRect(size, c.id, rc)) << c.id;
            EXPECT_EQ(rc, RectLTRB(Edge(c.left, size.width()), Edge(c.top, size.height()),
                                   Edge(c.right, size.width()), Edge(c.bottom, size.height())))
                << "control " << c.id << " at " << size.width() << "x" << size.height();
        }
    }
}

TEST_F(SkinLayout, UnknownIdsLeaveTheRectangleAlone)
{
    const QRect before(1, 2, 3, 4);
    for (int id : {0, 13, 25, -1, 1000 + 1, 1013, 1017}) {
        QRect rc = before;
        if (id < 1000) {
            EXPECT_FALSE(skin.GetMainControlRect(QSize(500, 300), id, rc)) << id;
        }
        EXPECT_FALSE(skin.GetPlaylistControlRect(QSize(500, 300), id, rc)) << id;
        EXPECT_EQ(rc, before) << id;
    }
}

TEST_F(SkinLayout, EveryMainControlIsHitAtItsOwnRectangle)
{
    const QSize size(403, 70);
    for (int id : {MC_CLOSE,      MC_MAXIMIZE, MC_MINIMIZE, MC_PLAYPAUSE, MC_STOP, MC_LOAD,   MC_SEEK,
                   MC_FULLSCREEN, MC_FAST,     MC_SLOW,     MC_TOPMOST,   MC_HIDE, MC_REPEAT, MC_MUTE,
                   MC_VOLUME,     MC_OPTIONS,  MC_PLAYLIST, MC_PREVIOUS,  MC_NEXT, MC_SHUFFLE}) {
        QRect rc;
        skin.GetMainControlRect(size, id, rc);
        EXPECT_EQ(skin.HitTestMain(size, rc.center().x(), rc.center().y()), id);
        if (id != MC_PLAYPAUSE) {
            EXPECT_EQ(skin.HitTestMain(size, rc.left(), rc.top()), id) << "left and top edges belong to " << id;
            EXPECT_NE(skin.HitTestMain(size, rc.right() + 1, rc.center().y()), id)
                << "right edge is outside " << id;
            EXPECT_NE(skin.HitTestMain(size, rc.center().x(), rc.bottom() + 1), id) << "bottom is outside " << id;
        }
    }
    // Text areas, the frame and the video are not controls.
    EXPECT_EQ(skin.HitTestMain(size, 100, 12), 0);
    EXPECT_EQ(skin.HitTestMain(size, 2, 40), 0);
    EXPECT_EQ(skin.HitTestMain(size, 300, 60), 0);  // time window
    EXPECT_EQ(skin.HitTestMain(QSize(800, 600), 400, 300), 0);
}

TEST_F(SkinLayout, EveryPlaylistControlIsHitAtItsOwnRectangle)
{
    const QSize size(318, 200);
    for (int id : {PC_CLOSE, PC_MAXIMIZE, PC_ADDFILES, PC_ADDFOLDER, PC_REMOVE, PC_CLEAR, PC_SORT, PC_SAVE,
                   PC_LOAD, PC_REPEATLIST, PC_THUMB, PC_NAMEMODE, PC_MOVEUP, PC_MOVEDOWN}) {
        QRect rc;
        skin.GetPlaylistControlRect(size, id, rc);
        EXPECT_EQ(skin.HitTestPlaylist(size, rc.left(), rc.top()), id);
        EXPECT_EQ(skin.HitTestPlaylist(size, rc.right(), rc.bottom()), id);
    }
    EXPECT_EQ(skin.HitTestPlaylist(size, 100, 100), 0);  // the list
    EXPECT_EQ(skin.HitTestPlaylist(size, 100, 12), 0);   // the title
}

// Below the minimum size controls overlap; the first in the hit order wins.
TEST_F(SkinLayout, OverlappingControlsResolveInHitOrder)
{
    const int h = 70;
    QRect a, b;
    skin.GetMainControlRect(QSize(220, h), MC_STOP, a);
    skin.GetMainControlRect(QSize(220, h), MC_REPEAT, b);
    ASSERT_TRUE(a.intersects(b));
    EXPECT_EQ(skin.HitTestMain(QSize(220, h), 165, h - 20), MC_STOP);
    EXPECT_EQ(skin.HitTestMain(QSize(220, h), 185, h - 20), MC_LOAD);   // over the shuffle button
    EXPECT_EQ(skin.HitTestMain(QSize(220, h), 200, h - 20), MC_LOAD);   // over the playlist button
    EXPECT_EQ(skin.HitTestMain(QSize(125, h), 70, h - 20), MC_REPEAT);  // over the previous button
    EXPECT_EQ(skin.HitTestMain(QSize(125, h), 100, h - 20), MC_NEXT);   // over the shuffle button

    EXPECT_EQ(skin.HitTestPlaylist(QSize(180, 100), 150, 80), PC_REMOVE);  // over move up
    EXPECT_EQ(skin.HitTestPlaylist(QSize(180, 100), 170, 80), PC_CLEAR);   // over move down
}

TEST_F(SkinLayout, PlayButtonAnswersOnlyInsideItsEllipse)
{
    const QSize size(403, 280);
    const int h = size.height();
    EXPECT_EQ(skin.HitTestMain(size, 26, h - 27), MC_PLAYPAUSE);
    EXPECT_EQ(skin.HitTestMain(size, 11, h - 27), MC_PLAYPAUSE);  // left end of the ellipse
    EXPECT_EQ(skin.HitTestMain(size, 10, h - 27), 0);
    // Corners of the 41 x 43 image and of the ellipse's bounding square.
    for (QPoint corner : {QPoint(5, h - 49), QPoint(45, h - 49), QPoint(5, h - 7), QPoint(45, h - 7),
                          QPoint(11, h - 42), QPoint(41, h - 42), QPoint(11, h - 12), QPoint(41, h - 12)})
        EXPECT_EQ(skin.HitTestMain(size, corner.x(), corner.y()), 0) << corner.x() << ", " << corner.y();
    // The ellipse follows the window's height.
    EXPECT_EQ(skin.HitTestMain(QSize(403, 500), 26, 500 - 27), MC_PLAYPAUSE);
}

TEST_F(SkinLayout, VolumeKnobFollowsTheCurrentVolume)
{
    const QSize size(403, 70);
    state.m_nVolume = 0;
    EXPECT_EQ(skin.HitTestMain(size, 403 - 69, 30), MC_VOLUME);
    state.m_nVolume = -4000;  // the quiet end, level 59
    EXPECT_NE(skin.HitTestMain(size, 403 - 69, 30), MC_VOLUME);
    EXPECT_EQ(skin.HitTestMain(size, 403 - 69 - 59, 30), MC_VOLUME);
    // A level off the bar keeps the knob on it.
    state.m_nVolume = -10000;
    QRect rc;
    skin.GetMainControlRect(size, MC_VOLUME, rc);
    EXPECT_EQ(rc.left(), 403 - 69 - 59);
    EXPECT_EQ(skin.GetVolumeOrigin(size), 403 - 61);
    EXPECT_EQ(skin.GetVolumeRange(), 59);
}

TEST_F(SkinLayout, ThumbOffsetForEmptyAndScrolledLists)
{
    const QSize size(318, 200);  // list area 145 high: the thumb travels 111 pixels
    QRect rc;
    state.m_nThumbOffset = 99;
    skin.GetPlaylistControlRect(size, PC_THUMB, rc);
    EXPECT_EQ(state.m_nThumbOffset, 0);
    EXPECT_EQ(rc, RectLTRB(318 - 22, 26, 318 - 5, 60));

    state.m_nCount = 20;
    state.m_nTop = 5;  // 111 * 5 / 20 = 27.75
    skin.GetPlaylistControlRect(size, PC_THUMB, rc);
    EXPECT_EQ(state.m_nThumbOffset, 27);
    EXPECT_EQ(rc, RectLTRB(318 - 22, 53, 318 - 5, 87));

    state.m_nTop = 19;
    skin.GetPlaylistControlRect(size, PC_THUMB, rc);
    EXPECT_EQ(state.m_nThumbOffset, 105);

    state.m_nTop = 500;  // a top row past the end stays in the track
    skin.GetPlaylistControlRect(size, PC_THUMB, rc);
    EXPECT_EQ(state.m_nThumbOffset, 111);
    EXPECT_LE(rc.bottom() + 1, size.height() - 29);
}

TEST_F(SkinLayout, FixedSizesAndAreas)
{
    QRect rc;
    skin.GetMainMinRect(rc);
    EXPECT_EQ(rc, QRect(0, 0, 403, 70));
    skin.GetPlaylistMinRect(rc);
    EXPECT_EQ(rc, QRect(0, 0, 318, 100));
    skin.GetListArea(QSize(318, 200), rc);
    EXPECT_EQ(rc, RectLTRB(5, 26, 294, 171));
    EXPECT_EQ(skin.GetTopBorder(), 6);
    EXPECT_EQ(skin.GetLeftBorder(), 6);
    EXPECT_EQ(skin.GetBottomBorder(), 6);
    EXPECT_EQ(skin.GetRightBorder(), 6);
}

// Both skins: the window rectangle around a video rectangle and the video
// area of that window are inverses.
TEST(SkinVideoArea, WindowRectFromVideoInvertsGetVideoArea)
{
    CSkinStateRecord state;
    CBitmapSkin bitmap(state, CodedSheet());
    CPlainSkin plain;
    struct Case {
        CSkin* skin;
        QMargins margins;
    };
    for (const Case& c : {Case{&bitmap, QMargins(6, 23, 6, 49)}, Case{&plain, QMargins(2, 2, 2, 2)}}) {
        for (QRect video : {QRect(100, 200, 640, 360), QRect(-50, -20, 1, 1), QRect(0, 0, 0, 0)}) {
            QRect window;
            c.skin->WindowRectFromVideo(video, window);
            EXPECT_EQ(window, video.marginsAdded(c.margins));
            QRect back;
            c.skin->GetVideoArea(window.size(), back);
            EXPECT_EQ(back.translated(window.topLeft()), video);
        }
    }
    // The first build starts from an empty video rectangle.
    QRect window;
    bitmap.WindowRectFromVideo(QRect(0, 0, 0, 0), window);
    EXPECT_EQ(window, RectLTRB(-6, -23, 6, 49));
}

TEST(SkinPlain, HasNoControlsAndNoFrame)
{
    CPlainSkin skin;
    const QSize size(640, 480);
    for (int x = 0; x < size.width(); x += 7)
        for (int y = 0; y < size.height(); y += 7)
            ASSERT_EQ(skin.HitTestMain(size, x, y), 0);
    EXPECT_EQ(skin.HitTestPlaylist(QSize(318, 100), 300, 10), 0);
    QRect rc(1, 2, 3, 4);
    EXPECT_FALSE(skin.GetMainControlRect(size, MC_CLOSE, rc));
    EXPECT_FALSE(skin.GetPlaylistControlRect(size, PC_THUMB, rc));
    EXPECT_EQ(rc, QRect(1, 2, 3, 4));
    skin.GetMainMinRect(rc);
    EXPECT_EQ(rc, QRect(0, 0, 40, 30));
    skin.GetPlaylistMinRect(rc);
    EXPECT_EQ(rc, QRect(0, 0, 318, 100));
    EXPECT_EQ(skin.GetTopBorder() + skin.GetLeftBorder() + skin.GetBottomBorder() + skin.GetRightBorder(), 0);
    EXPECT_EQ(skin.GetVolumeOrigin(size), 0);
    EXPECT_EQ(skin.GetVolumeRange(), 0);
}

}  // namespace
