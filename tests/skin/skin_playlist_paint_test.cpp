// SPDX-License-Identifier: GPL-3.0-or-later
// Painting of the playlist window by the bitmap skin.
#include "skin/bitmap_skin.h"
#include "coded_sheet.h"
#include "skin/skin_geometry.h"
#include "skin/skin_ids.h"
#include "skin/skin_state_record.h"
#include "skin/sprite_layout.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr QRgb kRowColour = 0x808080;

class SkinPlaylistPaint : public testing::Test {
protected:
    SkinPlaylistPaint() { state.m_bPlaylistRepeat = true; }

    // Paints as the playlist window does: black list area, rows, the skin.
    // direction: the playlist window's, which follows the interface language.
    QImage Paint(QSize size, int hot = 0, Qt::LayoutDirection direction = Qt::LeftToRight)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kRowColour);  // stands for rows spilled over the list area
        QPainter painter(&image);
        painter.setLayoutDirection(direction);
        skin.PaintPlaylist(painter, hot, QRect(QPoint(0, 0), size));
        return image;
    }

    QRect Control(QSize size, int id)
    {
        QRect rc;
        skin.GetPlaylistControlRect(size, id, rc);
        return rc;
    }

    CSkinStateRecord state;
    CBitmapSkin skin{state, CodedSheet()};
};

TEST_F(SkinPlaylistPaint, FrameAtTwoSizes)
{
    using namespace sprite;
    for (QSize size : {QSize(318, 100), QSize(900, 700)}) {
        const int w = size.width(), h = size.height();
        const QImage out = Paint(size);
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        EXPECT_TRUE(CopiedFrom(out, QRect(0, 0, 12, 23), kListTopLeft.topLeft()));
        EXPECT_TRUE(CopiedFrom(out, QRect(0, h - 28, 25, 28), kListBottomLeft.topLeft()));
        EXPECT_TRUE(CopiedFrom(out, QRect(w - 52, 0, 52, 6), kListTopRight.topLeft()));
        EXPECT_TRUE(CopiedFrom(out, QRect(w - 41, h - 28, 41, 28), kListBottomRight.topLeft() + QPoint(0, 1)));
        EXPECT_TRUE(CopiedFrom(out, QRect(w - 54, 6, 2, 19), kListTitleEndA.topLeft()));
        EXPECT_TRUE(TiledFrom(out, QRect(0, 23, 6, h - 28 - 23), kLeftEdgeTile));
        EXPECT_TRUE(TiledFrom(out, QRect(w - 6, 23, 6, h - 29 - 23 + 1), kRightEdgeTile));
        EXPECT_TRUE(TiledFrom(out, QRect(25, 0, w - 52 - 25, 6), kTopEdgeTile));
        EXPECT_TRUE(TiledFrom(out, QRect(91, h - 6, w - 41 - 91, 6), kBottomEdgeTile));
        EXPECT_TRUE(TiledFrom(out, QRect(w - 24, 26, 1, h - 31 - 26 + 1), kGroovePixel));
        EXPECT_TRUE(
            TiledFrom(out, QRect(w - 126, 21, w - 55 - (w - 126) + 1, 2), kTitleBarTile.adjusted(0, 15, 0, 0)));
        EXPECT_TRUE(CopiedFrom(out, QRect(w - 128, 6, 2, 19), kListTitleEndB.topLeft()));
        EXPECT_TRUE(CopiedFrom(out, QRect(91, h - 28, 175, 22), kListButtonStrip.topLeft()));
        EXPECT_TRUE(CopiedFrom(out, QRect(w - 52, h - 23, 11, 11), kListCornerStud.topLeft()));
        EXPECT_TRUE(TiledFrom(out, QRect(267, h - 18, w - 53 - 267 + 1, 1), kGroovePixel));
        // The thumb at the top of an empty list; its 17th column is the frame's.
        EXPECT_TRUE(CopiedFrom(out, QRect(w - 22, 26, 16, 34), kThumbNormal.topLeft()));
        // Outside the list area nothing of the rows shows; inside it stays.
        EXPECT_EQ(out.pixel(100, 24) & 0xFFFFFF, 0u);
        EXPECT_EQ(out.pixel(w - 15, h - 35) & 0xFFFFFF, 0u);
        EXPECT_EQ(out.pixel(100, 40) & 0xFFFFFF, kRowColour);
    }
}

struct StateCase {
    const char* name;
    std::function<void(CSkinStateRecord&)> set;
    int control;
    QPoint image;
};

TEST_F(SkinPlaylistPaint, StateAndPressedImages)
{
    using namespace sprite;
    const std::vector<StateCase> states = {
        {"maximized", [](auto& s) { s.m_bPlaylistMaximized = true; }, PC_MAXIMIZE, kRestoreNormal},
        {"playlist repeat off", [](auto& s) { s.m_bPlaylistRepeat = false; }, PC_REPEATLIST, kRepeatOffNormal},
        {"full paths", [](auto& s) { s.m_bShowFP = false; }, PC_NAMEMODE, kNameModeNormal},
    };
    const QSize size(318, 200);
    for (const StateCase& c : states) {
        CSkinStateRecord saved = state;
        c.set(state);
        EXPECT_TRUE(CopiedFrom(Paint(size), Control(size, c.control), c.image)) << c.name;
        state = saved;
    }
    const QImage idle = Paint(size);
    EXPECT_TRUE(CopiedFrom(idle, Control(size, PC_NAMEMODE), kListBottomLeft.topLeft() + QPoint(25, 4)));
    EXPECT_TRUE(CopiedFrom(idle, Control(size, PC_REPEATLIST), kListBottomLeft.topLeft() + QPoint(42, 4)));

    const std::vector<StateCase> pressed = {
        {"close", [](auto&) {}, PC_CLOSE, kClosePressed},
        {"maximize", [](auto&) {}, PC_MAXIMIZE, kMaximizePressed},
        {"restore", [](auto& s) { s.m_bPlaylistMaximized = true; }, PC_MAXIMIZE, kRestorePressed},
        {"add files", [](auto&) {}, PC_ADDFILES, kAddFilesPressed},
        {"add folder", [](auto&) {}, PC_ADDFOLDER, kAddFolderPressed},
        {"remove", [](auto&) {}, PC_REMOVE, kRemovePressed},
        {"clear", [](auto&) {}, PC_CLEAR, kClearPressed},
        {"load", [](auto&) {}, PC_LOAD, kListLoadPressed},
        {"save", [](auto&) {}, PC_SAVE, kListSavePressed},
        {"sort", [](auto&) {}, PC_SORT, kListSortPressed},
        {"repeat on", [](auto&) {}, PC_REPEATLIST, kRepeatOnPressed},
        {"repeat off", [](auto& s) { s.m_bPlaylistRepeat = false; }, PC_REPEATLIST, kRepeatOffPressed},
        {"short names", [](auto&) {}, PC_NAMEMODE, kNameModeOnPressed},
        {"full paths", [](auto& s) { s.m_bShowFP = false; }, PC_NAMEMODE, kNameModeOffPressed},
        {"move up", [](auto&) {}, PC_MOVEUP, kMoveUpPressed},
        {"move down", [](auto&) {}, PC_MOVEDOWN, kMoveDownPressed},
    };
    for (const StateCase& c : pressed) {
        CSkinStateRecord saved = state;
        c.set(state);
        EXPECT_TRUE(CopiedFrom(Paint(size, c.control), Control(size, c.control), c.image)) << c.name;
        state = saved;
    }
}

TEST_F(SkinPlaylistPaint, ThumbFollowsTheTopRowAndShowsItsGripPressed)
{
    using namespace sprite;
    const QSize size(318, 200);
    state.m_nCount = 20;
    state.m_nTop = 5;
    QImage out = Paint(size);
    EXPECT_TRUE(CopiedFrom(out, QRect(318 - 22, 26 + 27, 16, 34), kThumbNormal.topLeft()));
    EXPECT_EQ(state.m_nThumbOffset, 27);
    out = Paint(size, PC_THUMB);
    EXPECT_TRUE(CopiedFrom(out, QRect(318 - 18, 26 + 27 + 7, 8, 20), kThumbPressed));
    EXPECT_TRUE(CopiedFrom(out, QRect(318 - 22, 26 + 27, 4, 34), kThumbNormal.topLeft()));
}

TEST_F(SkinPlaylistPaint, TitleTextAndColour)
{
    EXPECT_EQ(CBitmapSkin::PlaylistTitle(-1, QStringLiteral("0 Files")), QStringLiteral("0 Files"));
    EXPECT_EQ(CBitmapSkin::PlaylistTitle(2, QStringLiteral("6 Files")), QStringLiteral("3 : 6 Files"));
    EXPECT_EQ(CBitmapSkin::PlaylistTitle(0, QString()), QStringLiteral("1 : "));

    state.m_nCurrent = 2;
    state.m_nCount = 6;
    state.m_strStatus = QStringLiteral("IIII HHHH");
    const QImage out = Paint(QSize(318, 200));
    int grey = 0;
    for (int y = 4; y < 21; ++y)
        for (int x = 12; x < 318 - 128; ++x)
            grey += (out.pixel(x, y) & 0xFFFFFF) == 0xDCDCDC;
    EXPECT_GT(grey, 10);
}

TEST_F(SkinPlaylistPaint, TitleKeepsItsLayoutInRightToLeftLanguages)
{
    state.m_nCurrent = 0;
    state.m_nCount = 310;
    state.m_strStatus = QStringLiteral("310 Files");
    const QImage english = Paint(QSize(318, 200));
    EXPECT_EQ(Paint(QSize(318, 200), 0, Qt::RightToLeft), english);
}

}  // namespace
