// SPDX-License-Identifier: GPL-3.0-or-later
// Painting of the main window by the bitmap skin, checked pixel by pixel
// against a sheet whose pixels name their own positions.
#include "skin/bitmap_skin.h"
#include "coded_sheet.h"
#include "skin/plain_skin.h"
#include "skin/skin_geometry.h"
#include "skin/skin_ids.h"
#include "skin/skin_state_record.h"
#include "skin/sprite_layout.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr QRgb kBackground = 0x123456;

class SkinMainPaint : public testing::Test {
protected:
    SkinMainPaint()
    {
        // Loaded with no name, no time text and no progress: no text or
        // progress covers the frame unless a test asks for it.
        state.m_bLoaded = true;
        state.m_bRepeat = true;
        state.m_nVolume = -2000;  // knob 29 pixels from the loud end
    }

    // direction: the main window's, which follows the interface language.
    QImage Paint(QSize size, int hot = 0, Qt::LayoutDirection direction = Qt::LeftToRight)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kBackground);
        QPainter painter(&image);
        painter.setLayoutDirection(direction);
        skin.PaintMain(painter, hot, QRect(QPoint(0, 0), size));
        return image;
    }

    QRect Control(QSize size, int id)
    {
        QRect rc;
        skin.GetMainControlRect(size, id, rc);
        return rc;
    }

    CSkinStateRecord state;
    CBitmapSkin skin{state, CodedSheet()};
};

TEST_F(SkinMainPaint, FrameAtTheMinimumSize)
{
    using namespace sprite;
    const QSize size(403, 70);
    const QImage out = Paint(size);
    // Corners, less what the panel draws over them at this height.
    EXPECT_TRUE(CopiedFrom(out, QRect(0, 0, 35, 21), kMainTopLeft.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(279, 0, 124, 21), kMainTopRight.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(0, 49, 5, 21), kMainBottomLeft.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(0, 64, 22, 6), kMainBottomLeft.topLeft() + QPoint(0, 15)));
    EXPECT_TRUE(CopiedFrom(out, QRect(381, 60, 22, 10), kMainBottomRight.topLeft() + QPoint(0, 11)));
    // Edges and the title bar between the corners.
    EXPECT_TRUE(TiledFrom(out, QRect(35, 0, 279 - 35, 6), kTopEdgeTile));
    // The play button's top rows reach into the title bar at this height.
    EXPECT_TRUE(TiledFrom(out, QRect(35, 6, 11, 15), kTitleBarTile));
    EXPECT_TRUE(TiledFrom(out, QRect(46, 6, 279 - 46, 17), kTitleBarTile));
    EXPECT_TRUE(TiledFrom(out, QRect(22, 64, 381 - 22, 6), kBottomEdgeTile));
    EXPECT_TRUE(TiledFrom(out, QRect(0, 25, 5, 24), kLeftEdgeTile));
    EXPECT_TRUE(TiledFrom(out, QRect(397, 25, 6, 24), kRightEdgeTile));
    // The seek track runs from 74 to 251, the volume track from 276 to 340.
    EXPECT_TRUE(TiledFrom(out, QRect(74, 24, 178, 11), kSeekTrackTile));
    EXPECT_TRUE(CopiedFrom(out, QRect(252, 24, 7, 11), kBarEndCap.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(269, 24, 7, 11), kBarEndCap.topLeft()));
    EXPECT_TRUE(TiledFrom(out, QRect(276, 27, 305 - 276, 5), kVolumeTrackTile));
    EXPECT_TRUE(TiledFrom(out, QRect(313, 27, 341 - 313, 5), kVolumeTrackTile));
    // Nothing of the panel reaches the title buttons.
    for (int id : {MC_HIDE, MC_TOPMOST, MC_FULLSCREEN, MC_MINIMIZE, MC_MAXIMIZE, MC_CLOSE}) {
        const QRect rc = Control(size, id);
        EXPECT_TRUE(CopiedFrom(out, rc, kMainTopRight.topLeft() + rc.topLeft() - QPoint(279, 0))) << id;
    }
}

TEST_F(SkinMainPaint, FrameAndPanelAtALargeSize)
{
    using namespace sprite;
    const int w = 1280, h = 720;
    const QImage out = Paint(QSize(w, h));
    EXPECT_TRUE(CopiedFrom(out, QRect(0, 0, 35, 25), kMainTopLeft.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 124, 0, 124, 25), kMainTopRight.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(0, h - 6, 22, 6), kMainBottomLeft.topLeft() + QPoint(0, 15)));
    EXPECT_TRUE(CopiedFrom(out, QRect(0, h - 21, 5, 21), kMainBottomLeft.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 22, h - 10, 22, 10), kMainBottomRight.topLeft() + QPoint(0, 11)));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 6, h - 21, 6, 21), kMainBottomRight.topLeft() + QPoint(16, 0)));
    EXPECT_TRUE(TiledFrom(out, QRect(35, 0, w - 124 - 35, 6), kTopEdgeTile));
    EXPECT_TRUE(TiledFrom(out, QRect(35, 6, w - 124 - 35, 17), kTitleBarTile));
    EXPECT_TRUE(TiledFrom(out, QRect(22, h - 6, w - 44, 6), kBottomEdgeTile));
    EXPECT_TRUE(TiledFrom(out, QRect(0, 25, 6, h - 49 - 25), kLeftEdgeTile));
    EXPECT_TRUE(TiledFrom(out, QRect(w - 6, 25, 6, h - 46), kRightEdgeTile));

    EXPECT_TRUE(CopiedFrom(out, QRect(5, h - 49, 41, 43), kPlayNormal));
    EXPECT_TRUE(CopiedFrom(out, QRect(46, h - 46, 28, 11), kConnectorA.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(46, h - 31, 5, 18), kConnectorB.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(52, h - 28, 163, 21), kTransportStrip.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 58, h - 25, 52, 15), kLowerRightGroup.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 70, h - 26, 12, 17), kTextRightCap.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 188, h - 26, 12, 17), kTextLeftCap.topLeft()));
    EXPECT_TRUE(TiledFrom(out, QRect(w - 176, h - 26, 106, 17), kTextTile));
    EXPECT_TRUE(TiledFrom(out, QRect(215, h - 18, w - 189 - 215 + 1, 1), kGroovePixel));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 24, h - 48, 18, 15), kOptionsFace.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 27, h - 46, 3, 11), kHalfEndCap.topLeft() + QPoint(1, 0)));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 36, h - 47, 9, 13), kBarJointA.topLeft() + QPoint(1, 0)));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 40, h - 46, 4, 11), kHalfEndCap.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 58, h - 48, 18, 15), kMuteFace.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 62, h - 46, 4, 11), kHalfEndCap.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 134, h - 46, 7, 11), kBarEndCap.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 144, h - 47, 10, 13), kBarJointB.topLeft()));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 151, h - 46, 7, 11), kBarEndCap.topLeft()));
    EXPECT_TRUE(TiledFrom(out, QRect(74, h - 46, w - 225, 11), kSeekTrackTile));
    // The panel's background is black; the video area is left to the window.
    EXPECT_EQ(out.pixel(60, h - 48) & 0xFFFFFF, 0u);
    EXPECT_EQ(out.pixel(w / 2, h / 2) & 0xFFFFFF, kBackground);
}

struct StateCase {
    const char* name;
    std::function<void(CSkinStateRecord&)> set;
    int control;
    QPoint image;
};

TEST_F(SkinMainPaint, StateImages)
{
    using namespace sprite;
    const std::vector<StateCase> cases = {
        {"maximized", [](auto& s) { s.m_bMainMaximized = true; }, MC_MAXIMIZE, kRestoreNormal},
        {"topmost", [](auto& s) { s.m_bTopMost = true; }, MC_TOPMOST, kTopMostOnNormal},
        {"paused", [](auto& s) { s.m_bPaused = true; }, MC_PLAYPAUSE, kPlayNormal},
        {"playing", [](auto& s) { s.m_bPlaying = true; }, MC_PLAYPAUSE, kPauseNormal},
        {"playing at a changed rate", [](auto& s) { s.m_bPlaying = s.m_bRateChanged = true; }, MC_PLAYPAUSE,
         kPlayNormal},
        {"repeat off", [](auto& s) { s.m_bRepeat = false; }, MC_REPEAT, kRepeatOffNormal},
        {"muted", [](auto& s) { s.m_bMuted = true; }, MC_MUTE, kMutedNormal},
        {"shuffle on", [](auto& s) { s.m_bShuffle = true; }, MC_SHUFFLE, kShuffleOnNormal},
    };
    const QSize size(500, 300);
    const QImage plain = Paint(size);
    for (const StateCase& c : cases) {
        CSkinStateRecord saved = state;
        c.set(state);
        const QImage out = Paint(size);
        const QRect rc = Control(size, c.control);
        EXPECT_TRUE(CopiedFrom(out, rc, c.image)) << c.name;
        // Nothing else changes.
        QImage masked = out;
        QPainter(&masked).drawImage(rc.topLeft(), plain, rc);
        EXPECT_TRUE(SamePixels(masked, plain, masked.rect())) << c.name;
        state = saved;
    }
    // Off states show the pieces' own images.
    EXPECT_TRUE(CopiedFrom(plain, Control(size, MC_REPEAT), kLowerRightGroup.topLeft() + QPoint(1, 1)));
    EXPECT_TRUE(CopiedFrom(plain, Control(size, MC_SHUFFLE), kLowerRightGroup.topLeft() + QPoint(18, 1)));
}

TEST_F(SkinMainPaint, PressedImages)
{
    using namespace sprite;
    const std::vector<StateCase> cases = {
        {"maximize", [](auto&) {}, MC_MAXIMIZE, kMaximizePressed},
        {"restore", [](auto& s) { s.m_bMainMaximized = true; }, MC_MAXIMIZE, kRestorePressed},
        {"minimize", [](auto&) {}, MC_MINIMIZE, kMinimizePressed},
        {"close", [](auto&) {}, MC_CLOSE, kClosePressed},
        {"play", [](auto&) {}, MC_PLAYPAUSE, kPlayPressed},
        {"pause", [](auto& s) { s.m_bPlaying = true; }, MC_PLAYPAUSE, kPausePressed},
        {"pause at a changed rate", [](auto& s) { s.m_bPlaying = s.m_bRateChanged = true; }, MC_PLAYPAUSE,
         kPausePressed},
        {"stop", [](auto&) {}, MC_STOP, kStopPressed},
        {"load", [](auto&) {}, MC_LOAD, kLoadPressed},
        {"fast", [](auto&) {}, MC_FAST, kFastPressed},
        {"slow", [](auto&) {}, MC_SLOW, kSlowPressed},
        {"previous", [](auto&) {}, MC_PREVIOUS, kPreviousPressed},
        {"next", [](auto&) {}, MC_NEXT, kNextPressed},
        {"full screen", [](auto&) {}, MC_FULLSCREEN, kFullScreenPressed},
        {"topmost off", [](auto&) {}, MC_TOPMOST, kTopMostOffPressed},
        {"topmost on", [](auto& s) { s.m_bTopMost = true; }, MC_TOPMOST, kTopMostOnPressed},
        {"hide", [](auto&) {}, MC_HIDE, kHidePressed},
        {"repeat on", [](auto&) {}, MC_REPEAT, kRepeatOnPressed},
        {"repeat off", [](auto& s) { s.m_bRepeat = false; }, MC_REPEAT, kRepeatOffPressed},
        {"mute", [](auto&) {}, MC_MUTE, kNotMutedPressed},
        {"muted", [](auto& s) { s.m_bMuted = true; }, MC_MUTE, kMutedPressed},
        {"options", [](auto&) {}, MC_OPTIONS, kOptionsPressed},
        {"playlist", [](auto&) {}, MC_PLAYLIST, kPlaylistPressed},
        {"shuffle off", [](auto&) {}, MC_SHUFFLE, kShuffleOffPressed},
        {"shuffle on", [](auto& s) { s.m_bShuffle = true; }, MC_SHUFFLE, kShuffleOnPressed},
    };
    const QSize size(403, 70);
    for (const StateCase& c : cases) {
        CSkinStateRecord saved = state;
        c.set(state);
        const QImage out = Paint(size, c.control);
        EXPECT_TRUE(CopiedFrom(out, Control(size, c.control), c.image)) << c.name;
        state = saved;
    }
    // The seek bar, the knob and the text areas have no pressed look.
    const QImage idle = Paint(size);
    for (int id : {int(MC_SEEK), int(MC_VOLUME), int(MC_TIME), int(MC_TITLE), int(MC_VOLUMEBAR), 13, 99})
        EXPECT_TRUE(SamePixels(Paint(size, id), idle, idle.rect())) << id;
}

TEST_F(SkinMainPaint, SeekProgressAndKnob)
{
    using namespace sprite;
    const int w = 625, h = 200;  // seek bar 400 pixels wide
    state.m_llDuration = 1000;
    state.m_llPosition = 250;
    QImage out = Paint(QSize(w, h));
    EXPECT_TRUE(TiledFrom(out, QRect(74, h - 46, 100, 11), kSeekProgressTile));
    EXPECT_TRUE(TiledFrom(out, QRect(174, h - 46, w - 152 - 174 + 1, 11), kSeekTrackTile));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 69 - 29, h - 46, 8, 11), kVolumeKnob.topLeft()));

    // A position past the end fills the bar and no more.
    state.m_llPosition = 5000;
    out = Paint(QSize(w, h));
    EXPECT_TRUE(TiledFrom(out, QRect(74, h - 46, 400, 11), kSeekProgressTile));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 151, h - 46, 7, 11), kBarEndCap.topLeft()));

    // No clip: no progress; the title reads "Velmora".
    state.m_bLoaded = false;
    out = Paint(QSize(w, h));
    EXPECT_TRUE(TiledFrom(out, QRect(74, h - 46, 400, 11), kSeekTrackTile));

    state.m_nVolume = 0;
    out = Paint(QSize(w, h));
    EXPECT_TRUE(CopiedFrom(out, QRect(w - 69, h - 46, 8, 11), kVolumeKnob.topLeft()));
}

TEST_F(SkinMainPaint, TitleAndTimeTextColours)
{
    const QSize size(500, 120);
    state.m_strClipFileName = QStringLiteral("IIIII HHHHH.avi");
    state.m_strTime = QStringLiteral("88:88:88 / 88:88:88");
    const QImage out = Paint(size);
    auto count = [&](const QRect& r, QRgb colour) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += (out.pixel(x, y) & 0xFFFFFF) == colour;
        return n;
    };
    EXPECT_GT(count(RectLTRB(13, 6, size.width() - 124, 20), 0xDCDCDC), 10);
    EXPECT_GT(count(Control(size, MC_TIME), 0x000000), 10);
    // No text leaves its rectangle.
    EXPECT_EQ(count(RectLTRB(0, 21, size.width(), 23), 0xDCDCDC), 0);

    // Not loaded: the program's name, whatever the engine's clip name.
    state.m_bLoaded = false;
    const QImage idle = Paint(size);
    state.m_strClipFileName = QStringLiteral("something else");
    EXPECT_TRUE(SamePixels(Paint(size), idle, idle.rect()));
}

TEST_F(SkinMainPaint, TitleAndTimeTextKeepTheirLayoutInRightToLeftLanguages)
{
    const QSize size(500, 120);
    state.m_strTime = QStringLiteral("00:00:03|00:00:10");
    state.m_strClipFileName = QStringLiteral("clip 12.avi");
    const QImage english = Paint(size);
    const QImage hebrew = Paint(size, 0, Qt::RightToLeft);
    EXPECT_TRUE(SamePixels(hebrew, english, english.rect()));
}

TEST(SkinWithoutSheet, PaintsNothingButKeepsLayout)
{
    CSkinStateRecord state;
    state.m_bLoaded = true;
    CBitmapSkin skin(state, QStringLiteral("/nonexistent/velmora-sheet.bmp"));
    EXPECT_FALSE(skin.HasSpriteSheet());
    CBitmapSkin wrongSize(state, QImage(10, 10, QImage::Format_RGB32));
    EXPECT_FALSE(wrongSize.HasSpriteSheet());
    CPlainSkin plain;
    for (CSkin* s : {static_cast<CSkin*>(&skin), static_cast<CSkin*>(&wrongSize), static_cast<CSkin*>(&plain)}) {
        QImage image(403, 280, QImage::Format_RGB32);
        image.fill(kBackground);
        const QImage before = image;
        QPainter painter(&image);
        s->PaintMain(painter, MC_CLOSE, image.rect());
        s->PaintPlaylist(painter, PC_CLOSE, image.rect());
        painter.end();
        EXPECT_TRUE(SamePixels(image, before, image.rect()));
    }
    EXPECT_EQ(skin.HitTestMain(QSize(403, 70), 403 - 10, 10), MC_CLOSE);
    QRect video;
    skin.GetVideoArea(QSize(403, 280), video);
    EXPECT_EQ(video, RectLTRB(6, 23, 397, 231));
}

TEST(SkinBuiltInSheet, IsCompiledIn)
{
    CSkinStateRecord state;
    CBitmapSkin skin(state);
    EXPECT_TRUE(skin.HasSpriteSheet());
}

}  // namespace
