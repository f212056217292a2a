// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_parts.h"

#include "art_kit.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace art {

namespace {

QRectF GlyphBox(const QRect& r)
{
    if (r.width() >= 21)  // transport and list buttons
        return QRectF(r.left() + 6, r.top() + 4, 9, 9);
    return QRectF(r.left() + 4, r.top() + 3, 8, 7);
}

}  // namespace

void Button(QImage& image, const QRect& r, Glyph glyph, bool pressed, Lamp lamp)
{
    PlateStyle style;
    style.relief = pressed ? Relief::Sunken : Relief::Raised;
    style.top = pressed ? 0.16 : 0.58;
    style.bottom = pressed ? 0.30 : 0.38;
    style.bevel = pressed ? 0.30 : 0.26;
    style.seed = r.x() * 31 + r.y();
    // The cap sits in a socket of the outline colour: with square corners
    // the outline runs round the whole rectangle, so caps that share a
    // column on the sheet agree there; round caps show the socket at their
    // corners, the same wherever the image is copied.
    Fill(image, r, Style().outline);
    Plate(image, QRectF(r), Style().buttonRadius, style);

    QRectF box = GlyphBox(r);
    if (pressed)
        box.translate(1, 1);
    const SheetStyle& look = Style();
    const QRgb colour = lamp == Lamp::Unlit ? look.glyphUnlit : (lamp == Lamp::Lit ? look.glyphLit : look.glyph);
    EngraveGlyph(image, glyph, box, colour);

    if (lamp != Lamp::Plain) {
        const int x = r.right() - 3;
        const int y = r.top() + 2;
        const QRgb core = lamp == Lamp::Lit ? look.lampLit : look.lampDark;
        image.setPixel(x, y, core);
        image.setPixel(x + 1, y, core);
        image.setPixel(x, y + 1, core);
        image.setPixel(x + 1, y + 1, lamp == Lamp::Lit ? look.lampGlow : look.outline);
    }
}

double TubeRow(int row)
{
    static constexpr std::array<double, 11> kRows = {0.04, 0.40, 0.68, 0.84, 0.78, 0.68,
                                                     0.58, 0.48, 0.38, 0.24, 0.04};
    return kRows[std::clamp(row, 0, 10)];
}

double TrackRow(int row)
{
    static constexpr std::array<double, 11> kRows = {0.04, 0.40, 0.68, 0.10, 0.03, 0.04,
                                                     0.05, 0.14, 0.38, 0.24, 0.04};
    return kRows[std::clamp(row, 0, 10)];
}

double StubRow(int row)
{
    static constexpr std::array<double, 9> kRows = {0.04, 0.45, 0.74, 0.80, 0.68, 0.56, 0.42, 0.28, 0.04};
    return kRows[std::clamp(row, 0, 8)];
}

QRgb ProgressRow(int row) { return Style().progress[std::clamp(row - 3, 0, 4)]; }

double VolumeRow(int row)
{
    static constexpr std::array<double, 5> kRows = {0.04, 0.55, 0.80, 0.42, 0.04};
    return kRows[std::clamp(row, 0, 4)];
}

void EndCap(QImage& image, QPoint at)
{
    static constexpr std::array<double, 7> kColumns = {0.20, 0.50, 0.76, 0.88, 0.72, 0.46, 0.18};
    const double radius = Style().capRadius;
    const QRectF shape(0, 0, 7, 11);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 7; ++x) {
            bool corner = (y == 0 || y == 10) && (x == 0 || x == 6);
            bool rim = y == 0 || y == 10 || x == 0 || x == 6;
            if (radius > 0) {
                const double d = RoundedRectDistance(shape, radius, x + 0.5, y + 0.5);
                corner = d > 0;
                rim = d > -1;
            }
            QRgb c;
            if (corner)
                c = kBlack;
            else if (rim)
                c = Style().outline;
            else
                c = Metal(kColumns[x] - (y == 1 ? -0.08 : 0) - (y >= 8 ? 0.1 * (y - 7) : 0));
            image.setPixel(at.x() + x, at.y() + y, c);
        }
    }
}

void Joint(QImage& image, QPoint at, int seed)
{
    Fill(image, QRect(at, QSize(10, 13)), kBlack);
    PlateStyle style;
    style.top = 0.66;
    style.bottom = 0.34;
    style.seed = seed;
    Plate(image, QRectF(at.x(), at.y(), 10, 13), Style().jointRadius, style);
    // A slot across the joint, where the two bars meet.
    for (int y = 3; y <= 9; ++y) {
        image.setPixel(at.x() + 4, at.y() + y, Metal(0.10));
        image.setPixel(at.x() + 5, at.y() + y, Metal(0.62));
    }
}

void Knob(QImage& image, QPoint at)
{
    Fill(image, QRect(at, QSize(8, 11)), kBlack);
    PlateStyle style;
    style.top = 0.86;
    style.bottom = 0.52;
    style.bevel = 0.2;
    style.seed = 77;
    Plate(image, QRectF(at.x(), at.y(), 8, 11), Style().knobRadius, style);
    for (int y = 3; y <= 7; ++y) {
        image.setPixel(at.x() + 3, at.y() + y, Metal(0.22));
        image.setPixel(at.x() + 4, at.y() + y, Metal(0.95));
    }
}

void Screw(QImage& image, QPoint c)
{
    image.setPixel(c.x(), c.y() - 1, Metal(0.22));
    image.setPixel(c.x() - 1, c.y(), Metal(0.22));
    image.setPixel(c.x(), c.y(), Metal(0.12));
    image.setPixel(c.x() + 1, c.y(), Metal(0.78));
    image.setPixel(c.x(), c.y() + 1, Metal(0.78));
}

void PlayButton(QImage& image, QPoint at, Glyph glyph, bool pressed)
{
    constexpr int kW = 41, kH = 43;
    const double cx = 21.5, cy = 22.5;
    constexpr double kFace = 15.5, kRing = 19.0;
    Fill(image, QRect(at, QSize(kW, kH)), kBlack);
    // The column under the window's left rod.
    for (int y = 0; y < kH; ++y)
        image.setPixel(at.x(), at.y() + y, Metal(FrameProfile(5.5)));
    // Rod stubs: to the seek bar (rows 3 ... 13) and to the transport strip
    // (rows 27 ... 35), running out to the image's right edge.
    for (int x = 28; x < kW; ++x) {
        for (int row = 0; row < 11; ++row)
            image.setPixel(at.x() + x, at.y() + 3 + row, Metal(TubeRow(row)));
        for (int row = 0; row < 9; ++row)
            image.setPixel(at.x() + x, at.y() + 27 + row, Metal(StubRow(row)));
    }
    for (int y = 0; y < kH; ++y) {
        for (int x = 1; x < kW; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double d = std::hypot(dx, dy);
            if (d > kRing + 0.5)
                continue;
            const double light = d > 0 ? -(0.5 * dx + 0.85 * dy) / d : 0;
            double t;
            // The outline and the gap round the face are the same dark tone.
            if (d > kRing - 0.7) {  // NOLINT(bugprone-branch-clone)
                t = 0.03;           // outer outline
            } else if (d > kFace + 1.0) {
                // The ring: a bevelled collar, brushed round the circle.
                const double across = (d - kFace - 1.0) / (kRing - kFace - 1.7);
                t = 0.50 + 0.30 * light * (1 - across) - 0.18 * across;
                t += 0.04 * Noise(11, static_cast<int>(std::atan2(dy, dx) * 40));
            } else if (d > kFace) {
                t = 0.03;  // the gap round the face
            } else {
                // The face: a shallow dome with circular brushing.
                const double dome = (pressed ? -0.7 : 1.0) * light * (d / kFace);
                t = (pressed ? 0.18 : 0.50) + 0.20 * dome + 0.045 * Noise(23, static_cast<int>(d * 3));
                if (d > kFace - 1.2)
                    t += (pressed ? -0.12 : 0.14) * light;
            }
            image.setPixel(at.x() + x, at.y() + y, Metal(t));
        }
    }
    QRectF box(at.x() + cx - 6, at.y() + cy - 7, 12, 14);
    if (glyph == Glyph::Play)
        box.translate(1, 0);
    if (pressed)
        box.translate(1, 1);
    EngraveGlyph(image, glyph, box, Style().glyph);
}

}  // namespace art
