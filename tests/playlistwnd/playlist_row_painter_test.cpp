// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistwnd/playlist_row_painter.h"
#include "playlist_test_util.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using playlisttest::Fill;

// A list area of 180 x 100 inside a 200 x 130 window: seven whole rows and
// one partly visible.
const QRect kList(10, 10, 180, 100);

// direction: the playlist window's, which follows the interface language.
QImage PaintRows(const CPlaylist& playlist, bool showFileName = true,
                 Qt::LayoutDirection direction = Qt::LeftToRight)
{
    QImage image(200, 130, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setLayoutDirection(direction);
    CPlaylistRowPainter().Paint(painter, kList, playlist, showFileName);
    return image;
}

// The reddest and the brightest pixel of a row band, as text is drawn
// with smoothed edges.
QColor ReddestIn(const QImage& image, const QRect& band)
{
    QColor best(Qt::black);
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left() + 2; x <= band.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() - c.green() > best.red() - best.green())
                best = c;
        }
    return best;
}

int InkIn(const QImage& image, const QRect& area, const QColor& background)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += image.pixelColor(x, y) != background;
    return ink;
}

TEST(PlaylistRowPainter, NumbersArePaddedSoTheDotsLineUp)
{
    EXPECT_EQ(CPlaylistRowPainter::NumberedName(0, 9, QStringLiteral("a.mp3")), QStringLiteral("1. a.mp3"));
    EXPECT_EQ(CPlaylistRowPainter::NumberedName(0, 10, QStringLiteral("a")), QStringLiteral("  1. a"));
    EXPECT_EQ(CPlaylistRowPainter::NumberedName(9, 10, QStringLiteral("a")), QStringLiteral("10. a"));
    EXPECT_EQ(CPlaylistRowPainter::NumberedName(4, 120, QStringLiteral("a")), QStringLiteral("    5. a"));
    EXPECT_EQ(CPlaylistRowPainter::NumberedName(10, 120, QStringLiteral("a")), QStringLiteral("  11. a"));
    EXPECT_EQ(CPlaylistRowPainter::NumberedName(119, 120, QStringLiteral("a")), QStringLiteral("120. a"));
}

TEST(PlaylistRowPainter, DrawsOnlyTheRowsThatFitWithOnePartlyVisible)
{
    EXPECT_EQ(CPlaylistRowPainter::DrawnRows(kList, 250000, 125000), 8);
    EXPECT_EQ(CPlaylistRowPainter::DrawnRows(kList, 20, 15), 5);
    EXPECT_EQ(CPlaylistRowPainter::DrawnRows(kList, 0, -1), 0);

    CPlaylist playlist;
    Fill(playlist, QStringList(20, QStringLiteral("clip.avi")));
    const QImage image = PaintRows(playlist);
    // The eighth row starts at y 101; its upper part lies in the list area.
    EXPECT_GT(InkIn(image, QRect(12, 101, 150, 9), Qt::black), 0);
    // Rows hit-test where they are drawn, the partial one included.
    playlist.m_nTop = 3;
    EXPECT_EQ(CPlaylistRowPainter::RowAt(kList, playlist, QPoint(20, 10)), 3);
    EXPECT_EQ(CPlaylistRowPainter::RowAt(kList, playlist, QPoint(20, 108)), 10);
    EXPECT_EQ(CPlaylistRowPainter::RowAt(kList, playlist, QPoint(5, 20)), -1);
}

TEST(PlaylistRowPainter, EmptyListDrawsNothing)
{
    CPlaylist playlist;
    playlist.m_nSelected = playlist.m_nTop = -1;
    EXPECT_EQ(InkIn(PaintRows(playlist), QRect(0, 0, 200, 130), Qt::black), 0);
}

TEST(PlaylistRowPainter, SelectionBandAndCurrentRowColours)
{
    CPlaylist playlist;
    Fill(playlist, {QStringLiteral("one.avi"), QStringLiteral("two.avi"), QStringLiteral("three.avi")});
    playlist.m_nSelected = 1;
    playlist.SetCurrent(1);
    const QImage image = PaintRows(playlist);
    const QRect row1(kList.left(), kList.top() + 13, kList.width(), 13);
    // The band reaches one pixel past the list area on either side.
    EXPECT_EQ(image.pixelColor(kList.left() - 1, row1.top()), CPlaylistRowPainter::kSelectionColor);
    EXPECT_EQ(image.pixelColor(kList.right() + 1, row1.bottom()), CPlaylistRowPainter::kSelectionColor);
    EXPECT_EQ(image.pixelColor(kList.left(), row1.top() - 1), QColor(Qt::black));
    // The current row's text is red over the band; the others are grey.
    const QColor current = ReddestIn(image, row1);
    EXPECT_GT(current.red(), 150);
    EXPECT_LT(current.green(), 80);
    const QRect row2 = row1.translated(0, 13);
    EXPECT_GT(InkIn(image, row2, Qt::black), 0);
    for (int y = row2.top(); y <= row2.bottom(); ++y)
        for (int x = row2.left(); x <= row2.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
        }
}

TEST(PlaylistRowPainter, NamesAreCutBeforeTheDurationColumn)
{
    CPlaylist playlist;
    Fill(playlist, {QString(80, u'W') + QStringLiteral(".avi")});
    playlist.GetRow(0).SetDuration(QStringLiteral("01:02:03"));
    playlist.m_nSelected = -1;
    const QImage image = PaintRows(playlist);
    const int timeWidth = QFontMetrics(CPlaylistRowPainter().Font()).horizontalAdvance(QStringLiteral("00:00:00"));
    // The two-pixel gap between the name and the duration stays empty.
    const int gapRight = kList.left() + kList.width() - 2 - timeWidth - 1;
    EXPECT_EQ(InkIn(image, QRect(gapRight - 1, kList.top(), 1, 13), Qt::black), 0);
    EXPECT_GT(InkIn(image, QRect(kList.left(), kList.top(), gapRight - kList.left() - 2, 13), Qt::black), 0);
}

// The rows keep the skin's layout in a right-to-left interface, and a
// Hebrew name reads right to left from its own start: its extension comes
// right after the number.
TEST(PlaylistRowPainter, RowsKeepTheirLayoutAndNamesTheirOwnDirection)
{
    CPlaylist playlist;
    Fill(playlist, {QStringLiteral("clip one.avi"), QStringLiteral("\u05E9\u05D9\u05E8.mp3")});
    playlist.GetRow(0).SetDuration(QStringLiteral("00:03:25"));
    playlist.m_nSelected = -1;
    const QImage english = PaintRows(playlist);
    EXPECT_EQ(PaintRows(playlist, true, Qt::RightToLeft), english);

    CPlaylist extension;
    Fill(extension, {QStringLiteral("clip one.avi"), QStringLiteral("mp3")});
    extension.m_nSelected = -1;
    const int width = QFontMetrics(CPlaylistRowPainter().Font()).horizontalAdvance(QStringLiteral("2. mp3"));
    const QRect start(kList.left(), kList.top() + 13, 2 + width - 1, 13);
    EXPECT_EQ(english.copy(start), PaintRows(extension).copy(start));
}

}  // namespace
