// SPDX-License-Identifier: GPL-3.0-or-later
// Assembles the sprite sheets of the built-in skins: one drawing, run in
// each skin's style. Frame pieces are cut from a rendered window
// background; panel pieces are drawn on black, the panel's colour.
#include "metal_red_art.h"

#include "art_kit.h"
#include "glyphs.h"
#include "sheet_frame.h"
#include "sheet_parts.h"
#include "skin/sprite_layout.h"

#include <array>
#include <cstddef>

using namespace art;

namespace {

constexpr int kW = kVirtualWindow.width();
constexpr int kH = kVirtualWindow.height();

QRect Cell(QPoint corner, int w = 16, int h = 13) { return QRect(corner, QSize(w, h)); }

void MainFrame(QImage& sheet, const QImage& window)
{
    using namespace sprite;
    Blit(sheet, kMainTopLeft.topLeft(), window, QRect(0, 0, 35, 25));
    Blit(sheet, kMainTopRight.topLeft(), window, QRect(kW - 124, 0, 124, 25));
    Blit(sheet, kMainBottomLeft.topLeft(), window, QRect(0, kH - 21, 22, 21));
    Blit(sheet, kMainBottomRight.topLeft(), window, QRect(kW - 22, kH - 21, 22, 21));
    Blit(sheet, kLeftEdgeTile.topLeft(), window, QRect(0, kH / 2, 6, 1));
    Blit(sheet, kRightEdgeTile.topLeft(), window, QRect(kW - 6, kH / 2, 6, 1));
    Blit(sheet, kTitleBarTile.topLeft(), window, QRect(kW / 2, 6, 1, 17));

    // The six title buttons of the top-right piece, normal state.
    const QPoint tr = kMainTopRight.topLeft();
    const std::array glyphs = {Glyph::Hide,     Glyph::TopMost,  Glyph::FullScreen,
                               Glyph::Minimize, Glyph::Maximize, Glyph::Close};
    for (int i = 0; i < 6; ++i) {
        const Lamp lamp = glyphs[i] == Glyph::TopMost ? Lamp::Unlit : Lamp::Plain;
        Button(sheet, Cell(tr + QPoint(16 + 17 * i, 7)), glyphs[i], false, lamp);
    }
}

void PlayButtons(QImage& sheet)
{
    PlayButton(sheet, sprite::kPlayNormal, Glyph::Play, false);
    PlayButton(sheet, sprite::kPlayPressed, Glyph::Play, true);
    PlayButton(sheet, sprite::kPauseNormal, Glyph::Pause, false);
    PlayButton(sheet, sprite::kPausePressed, Glyph::Pause, true);
}

void BarsAndConnectors(QImage& sheet)
{
    using namespace sprite;
    // Connector A: the rod from the play button, ending in a collar.
    const QPoint a = kConnectorA.topLeft();
    for (int x = 0; x < 21; ++x)
        for (int row = 0; row < 11; ++row)
            sheet.setPixel(a.x() + x, a.y() + row, Metal(TubeRow(row)));
    EndCap(sheet, kBarEndCap.topLeft());

    // Connector B: a short rod to the transport strip.
    const QPoint b = kConnectorB.topLeft();
    Fill(sheet, kConnectorB, kBlack);
    for (int x = 0; x < 5; ++x)
        for (int row = 0; row < 9; ++row)
            sheet.setPixel(b.x() + x, b.y() + 9 + row, Metal(StubRow(row)));

    for (int row = 0; row < 11; ++row) {
        sheet.setPixel(kSeekTrackTile.x(), row, Metal(TrackRow(row)));
        const bool channel = row >= 3 && row <= 7;
        sheet.setPixel(kSeekProgressTile.x(), row, channel ? ProgressRow(row) : Metal(TrackRow(row)));
    }
    for (int row = 0; row < 5; ++row)
        sheet.setPixel(kVolumeTrackTile.x(), row, Metal(VolumeRow(row)));
    Knob(sheet, kVolumeKnob.topLeft());
    Joint(sheet, kBarJointA.topLeft(), 5);
    Joint(sheet, kBarJointB.topLeft(), 6);
}

// The plate behind a row of buttons in a bottom bar: the main window's
// transport strip and the playlist's bars.
void BottomPlate(QImage& sheet, const QRectF& r, int seed)
{
    PlateStyle plate;
    plate.top = 0.50;
    plate.bottom = 0.30;
    plate.seed = seed;
    Plate(sheet, r, Style().plateRadius, plate);
}

// 21 x 17 buttons 24 pixels apart from `first`, each with its pressed image.
template <std::size_t N>
void ButtonRow(QImage& sheet, QPoint first, const std::array<Glyph, N>& glyphs,
               const std::array<QPoint, N>& pressed)
{
    for (std::size_t i = 0; i < N; ++i) {
        Button(sheet, Cell(first + QPoint(24 * static_cast<int>(i), 0), 21, 17), glyphs[i], false);
        Button(sheet, Cell(pressed[i], 21, 17), glyphs[i], true);
    }
}

void TransportStrip(QImage& sheet)
{
    using namespace sprite;
    const QRect strip = kTransportStrip;
    Fill(sheet, strip, kBlack);
    BottomPlate(sheet, QRectF(strip), 3);
    ButtonRow(sheet, strip.topLeft() + QPoint(11, 2),
              std::array{Glyph::Previous, Glyph::Next, Glyph::Slower, Glyph::Faster, Glyph::Stop, Glyph::Eject},
              std::array{kPreviousPressed, kNextPressed, kSlowPressed, kFastPressed, kStopPressed, kLoadPressed});
    Screw(sheet, strip.topLeft() + QPoint(5, 10));
    Screw(sheet, strip.topLeft() + QPoint(157, 10));
}

// The time window: a bezel round a pale display, so that the black time
// text reads clearly. Its outer outline is the colour of the frame's outer
// edge, which it shares a column with.
QRgb BezelRow(int row)
{
    const QRgb outline = Metal(FrameProfile(0.5));
    switch (row) {
    case 0:
    case 16: return outline;
    case 1: return Metal(0.64);
    case 2: return Metal(0.40);
    case 3: return Style().bezelShadow;
    case 15: return Metal(0.28);
    case 14: return Style().displayGleam;
    default: return Mix(Style().displayTop, Style().displayBottom, (row - 4) / 9.0);
    }
}

// With a rounded style the time window's outer ends are half circles: the
// cap's pixels outside them become the panel's black, those on the edge
// the outline. The outermost column keeps its outline colour: the left cap
// shares it with the main window's top-right piece.
void RoundOuterEnd(QImage& sheet, const QRect& piece, bool left)
{
    const double radius = Style().windowRadius;
    if (radius <= 0)
        return;
    // The capsule reaches past the cap's inner end, into the tile's run.
    const QRectF capsule(left ? piece.x() + 1 : piece.right() - 40.0, piece.y(), 40, piece.height());
    for (int y = piece.top(); y <= piece.bottom(); ++y) {
        for (int x = piece.left() + (left ? 1 : 0); x <= piece.right() - (left ? 0 : 1); ++x) {
            const double d = RoundedRectDistance(capsule, radius, x + 0.5, y + 0.5);
            if (d > 0)
                sheet.setPixel(x, y, kBlack);
            else if (d > -1)
                sheet.setPixel(x, y, Style().outline);
        }
    }
}

void TimeWindow(QImage& sheet)
{
    using namespace sprite;
    const QRgb outline = Metal(FrameProfile(0.5));
    for (int y = 0; y < 17; ++y)
        sheet.setPixel(kTextTile.x(), kTextTile.y() + y, BezelRow(y));
    auto cap = [&](const QRect& piece, bool left) {
        for (int y = 0; y < 17; ++y) {
            for (int i = 0; i < 12; ++i) {
                const int x = left ? i : 11 - i;  // i counts from the window's outer end
                QRgb c = BezelRow(y);
                if (i == 0)
                    c = outline;
                else if (y > 0 && y < 16 && i <= 5)
                    c = Metal((i == 1 ? 0.64 : (i == 5 ? 0.26 : 0.46)) + 0.03 * Noise(9, y * 12 + i));
                else if (i == 6 && y >= 3 && y <= 13)
                    c = Style().bezelShadow;
                sheet.setPixel(piece.x() + x, piece.y() + y, c);
            }
        }
        Screw(sheet, QPoint(piece.x() + (left ? 3 : 8), piece.y() + 8));
        RoundOuterEnd(sheet, piece, left);
    };
    cap(kTextLeftCap, true);
    cap(kTextRightCap, false);
}

// Mute, options and the lower-right group: buttons set in a dark collar.
void PanelButtons(QImage& sheet)
{
    using namespace sprite;
    auto ring = [&](const QRect& r) {
        Fill(sheet, r, kBlack);
        PlateStyle style;
        style.top = 0.34;
        style.bottom = 0.22;
        style.relief = Relief::Flat;
        Plate(sheet, QRectF(r), Style().ringRadius, style);
    };
    ring(kMuteFace);
    ring(kOptionsFace);
    ring(kLowerRightGroup);
    Button(sheet, Cell(kMuteFace.topLeft() + QPoint(1, 1)), Glyph::Speaker, false);
    Button(sheet, Cell(kOptionsFace.topLeft() + QPoint(1, 1)), Glyph::Options, false);
    const QPoint g = kLowerRightGroup.topLeft();
    Button(sheet, Cell(g + QPoint(1, 1)), Glyph::Repeat, false, Lamp::Lit);
    Button(sheet, Cell(g + QPoint(18, 1)), Glyph::Shuffle, false, Lamp::Unlit);
    Button(sheet, Cell(g + QPoint(35, 1)), Glyph::Playlist, false);
}

void StateAndPressedImages(QImage& sheet)
{
    using namespace sprite;
    struct Image {
        QPoint at;
        Glyph glyph;
        bool pressed;
        Lamp lamp;
    };
    const std::array images = {
        Image{kRestoreNormal, Glyph::Restore, false, Lamp::Plain},
        Image{kTopMostOnNormal, Glyph::TopMost, false, Lamp::Lit},
        Image{kMutedNormal, Glyph::SpeakerMuted, false, Lamp::Plain},
        Image{kRepeatOffNormal, Glyph::Repeat, false, Lamp::Unlit},
        Image{kHidePressed, Glyph::Hide, true, Lamp::Plain},
        Image{kTopMostOnPressed, Glyph::TopMost, true, Lamp::Lit},
        Image{kFullScreenPressed, Glyph::FullScreen, true, Lamp::Plain},
        Image{kMinimizePressed, Glyph::Minimize, true, Lamp::Plain},
        Image{kRestorePressed, Glyph::Restore, true, Lamp::Plain},
        Image{kClosePressed, Glyph::Close, true, Lamp::Plain},
        Image{kMutedPressed, Glyph::SpeakerMuted, true, Lamp::Plain},
        Image{kNotMutedPressed, Glyph::Speaker, true, Lamp::Plain},
        Image{kOptionsPressed, Glyph::Options, true, Lamp::Plain},
        Image{kRepeatOnPressed, Glyph::Repeat, true, Lamp::Lit},
        Image{kPlaylistPressed, Glyph::Playlist, true, Lamp::Plain},
        Image{kRepeatOffPressed, Glyph::Repeat, true, Lamp::Unlit},
        Image{kTopMostOffPressed, Glyph::TopMost, true, Lamp::Unlit},
        Image{kMaximizePressed, Glyph::Maximize, true, Lamp::Plain},
        Image{kNameModeOffPressed, Glyph::NamesLong, true, Lamp::Plain},
        Image{kNameModeNormal, Glyph::NamesLong, false, Lamp::Plain},
        Image{kNameModeOnPressed, Glyph::NamesShort, true, Lamp::Plain},
        Image{kShuffleOffPressed, Glyph::Shuffle, true, Lamp::Unlit},
        Image{kShuffleOnPressed, Glyph::Shuffle, true, Lamp::Lit},
        Image{kShuffleOnNormal, Glyph::Shuffle, false, Lamp::Lit},
        Image{kMoveUpPressed, Glyph::Up, true, Lamp::Plain},
        Image{kMoveDownPressed, Glyph::Down, true, Lamp::Plain},
    };
    for (const Image& image : images)
        Button(sheet, Cell(image.at), image.glyph, image.pressed, image.lamp);
}

void PlaylistPieces(QImage& sheet, const QImage& window)
{
    using namespace sprite;
    Blit(sheet, kListTopLeft.topLeft(), window, QRect(0, 0, 25, 23));
    Blit(sheet, kListTopRight.topLeft(), window, QRect(kW - 52, 0, 52, 25));
    Blit(sheet, kListBottomLeft.topLeft(), window, QRect(0, kH - 28, 91, 28));
    Blit(sheet, kListBottomRight.topLeft(), window, QRect(kW - 41, kH - 29, 41, 29));
    Blit(sheet, kListTitleEndB.topLeft(), window, QRect(kW / 2, 6, 2, 19));

    // The divider in the title bar: a cut line.
    for (int row = 1; row < 16; ++row) {
        sheet.setPixel(kListTitleEndB.x(), kListTitleEndB.y() + row, Metal(0.10));
        sheet.setPixel(kListTitleEndB.x() + 1, kListTitleEndB.y() + row, Metal(0.66));
    }

    // The stud: a bolted square that also closes the bottom rail.
    const QRect stud = kListCornerStud;
    Fill(sheet, stud, Style().outline);
    PlateStyle studStyle;
    studStyle.top = 0.60;
    studStyle.bottom = 0.34;
    studStyle.seed = 8;
    Plate(sheet, QRectF(stud), Style().studRadius, studStyle);
    for (QPoint corner : {stud.topLeft(), stud.topRight(), stud.bottomLeft(), stud.bottomRight()})
        sheet.setPixel(corner, Style().outline);
    Screw(sheet, stud.center());

    const QPoint tr = kListTopRight.topLeft();
    Button(sheet, Cell(tr + QPoint(12, 7)), Glyph::Maximize, false);
    Button(sheet, Cell(tr + QPoint(29, 7)), Glyph::Close, false);

    // Bottom left: name mode and repeat list on their plate, a rail onwards.
    const QPoint bl = kListBottomLeft.topLeft();
    BottomPlate(sheet, QRectF(bl.x() + 20, bl.y(), 43, 21), 12);
    for (int x = 64; x < 91; ++x)
        sheet.setPixel(bl.x() + x, bl.y() + 10, Metal(TitleProfile(0)));
    Button(sheet, Cell(bl + QPoint(25, 4)), Glyph::NamesShort, false);
    Button(sheet, Cell(bl + QPoint(42, 4)), Glyph::Repeat, false, Lamp::Lit);

    // Bottom right: move up and down.
    const QPoint br = kListBottomRight.topLeft();
    BottomPlate(sheet, QRectF(br.x(), br.y() + 1, 35, 21), 13);
    Button(sheet, Cell(br + QPoint(1, 5)), Glyph::Up, false);
    Button(sheet, Cell(br + QPoint(18, 5)), Glyph::Down, false);

    // The button strip and its pressed cells.
    const QRect strip = kListButtonStrip;
    Fill(sheet, strip, kBlack);
    BottomPlate(sheet, QRectF(strip.x(), strip.y(), strip.width(), 21), 14);
    ButtonRow(sheet, strip.topLeft() + QPoint(6, 2),
              std::array{Glyph::Add, Glyph::AddFolder, Glyph::Remove, Glyph::Clear, Glyph::Open, Glyph::Save,
                         Glyph::Sort},
              std::array{kAddFilesPressed, kAddFolderPressed, kRemovePressed, kClearPressed, kListLoadPressed,
                         kListSavePressed, kListSortPressed});

    // The scroll thumb and its pressed grip.
    const QRect thumb = kThumbNormal;
    Fill(sheet, thumb, kBlack);
    PlateStyle thumbStyle;
    thumbStyle.top = 0.62;
    thumbStyle.bottom = 0.38;
    thumbStyle.seed = 21;
    Plate(sheet, QRectF(thumb.x() + 1, thumb.y(), 15, 34), Style().thumbRadius, thumbStyle);
    auto grip = [&](QPoint at, bool down) {
        for (int i = 0; i < 5; ++i) {
            const int y = at.y() + 5 + 3 * i;
            for (int x = 1; x < 7; ++x) {
                sheet.setPixel(at.x() + x, y, Metal(down ? 0.66 : 0.14));
                sheet.setPixel(at.x() + x, y + 1, Metal(down ? 0.14 : 0.74));
            }
        }
    };
    grip(QPoint(thumb.x() + 4, thumb.y() + 7), false);
    const QPoint p = kThumbPressed;
    PlateStyle sunk = thumbStyle;
    sunk.relief = Relief::Sunken;
    sunk.top = 0.30;
    sunk.bottom = 0.42;
    Plate(sheet, QRectF(p.x(), p.y(), 8, 20), Style().gripRadius, sunk);
    grip(p, true);
}

QImage DrawSheet(const SheetStyle& style)
{
    const ScopedStyle scope(style);
    QImage sheet(sprite::kSheetSize, QImage::Format_RGB32);
    sheet.fill(kMagenta);
    const QImage window = WindowBackground(kVirtualWindow);

    PlayButtons(sheet);
    BarsAndConnectors(sheet);
    MainFrame(sheet, window);
    TransportStrip(sheet);
    PanelButtons(sheet);
    TimeWindow(sheet);
    StateAndPressedImages(sheet);
    PlaylistPieces(sheet, window);
    return sheet;
}

}  // namespace

QImage DrawMetalRedSheet() { return DrawSheet(kMetalRedStyle); }

QImage DrawBlueCurveSheet() { return DrawSheet(kBlueCurveStyle); }
