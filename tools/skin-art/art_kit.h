// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

// Colours and pixel-level drawing shared by the sheet and the icons: a dark
// red metal ramp, brushing grain, and bevelled rounded shapes drawn pixel by
// pixel so that pieces meant to meet agree exactly.
namespace art {

inline constexpr QRgb kMagenta = 0xFF00FF;
inline constexpr QRgb kBlack = 0x000000;
inline constexpr QRgb kOutline = 0x140304;
inline constexpr QRgb kGlyph = 0xD2D2D2;
inline constexpr QRgb kGlyphShadow = 0x1A0405;

// The metal ramp: 0 near black, 0.5 the body colour, 1 the brightest sheen.
QRgb Metal(double t);
QRgb Mix(QRgb a, QRgb b, double f);
// Deterministic noise in -1 ... 1.
double Noise(int seed, int i);
// Brushed grain at a pixel: streaks that run along x, -1 ... 1.
double GrainX(int seed, int x, int y);

// Brightness of the frame rod at `depth` pixels in from the window's edge.
double FrameProfile(double depth);
// Brightness of title-bar row `row` (0 ... 16).
double TitleProfile(int row);

void Fill(QImage& image, const QRect& r, QRgb colour);

enum class Relief { Raised, Sunken, Flat };

struct PlateStyle {
    double top = 0.55;     // body brightness at the top
    double bottom = 0.40;  // and at the bottom
    double bevel = 0.22;   // strength of the lit and shaded rims
    double grain = 0.045;  // strength of the brushing
    Relief relief = Relief::Raised;
    QRgb outline = kOutline;
    int seed = 1;
};

// A bevelled, brushed rounded rectangle filling `r`; pixels outside the
// rounded shape are left as they are.
void Plate(QImage& image, const QRectF& r, double radius, const PlateStyle& style);

// Signed distance of point (px, py) to the rounded rectangle r (negative inside).
double RoundedRectDistance(const QRectF& r, double radius, double px, double py);

}  // namespace art
