// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include <array>

// Colours and pixel-level drawing shared by the sheet and the icons: a dark
// red metal ramp, brushing grain, and bevelled rounded shapes drawn pixel by
// pixel so that pieces meant to meet agree exactly.
namespace art {

inline constexpr QRgb kMagenta = 0xFF00FF;
inline constexpr QRgb kBlack = 0x000000;
inline constexpr QRgb kOutline = 0x140304;
inline constexpr QRgb kGlyph = 0xD2D2D2;
inline constexpr QRgb kGlyphShadow = 0x1A0405;

// The colours and the roundness a sheet is drawn with. The drawing reads
// the current style; each sheet sets its own while it is drawn, and the
// icons are drawn in the first one.
struct SheetStyle {
    std::array<QRgb, 5> metal;  // the ramp Metal() runs through, dark to bright
    QRgb outline;
    QRgb glyph;        // symbols of plain buttons
    QRgb glyphLit;     // of toggles that are on
    QRgb glyphUnlit;   // of toggles that are off
    QRgb glyphShadow;  // the lip cut above a symbol
    QRgb glyphGleam;   // the faint highlight below it (with alpha)
    QRgb lampLit;
    QRgb lampGlow;
    QRgb lampDark;
    std::array<QRgb, 5> progress;  // seek progress rows, top to bottom
    QRgb bezelShadow;              // the time window's inner shadow
    QRgb displayTop;               // its face behind the digits, top
    QRgb displayBottom;            // and bottom
    QRgb displayGleam;             // its lit bottom row
    double buttonRadius;           // corners of the 16 x 13 and 21 x 17 buttons
    double plateRadius;            // plates under the rows of buttons
    double ringRadius;             // collars round the panel's buttons
    double studRadius;
    double thumbRadius;
    double gripRadius;  // the pressed thumb's grip
    double jointRadius;
    double knobRadius;
    double capRadius;     // bar end caps; 0 keeps their square pixel pattern
    double windowRadius;  // the time window's ends; 0 for square ends
};

extern const SheetStyle kMetalRedStyle;
extern const SheetStyle kBlueCurveStyle;

const SheetStyle& Style();

// Makes `style` the current style for the scope's lifetime.
class ScopedStyle {
public:
    explicit ScopedStyle(const SheetStyle& style);
    ~ScopedStyle();
    ScopedStyle(const ScopedStyle&) = delete;
    ScopedStyle& operator=(const ScopedStyle&) = delete;

private:
    const SheetStyle* m_pPrevious;
};

// The style's metal ramp: 0 near black, 0.5 the body colour, 1 the
// brightest sheen.
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
    QRgb outline = Style().outline;
    int seed = 1;
};

// A bevelled, brushed rounded rectangle filling `r`; pixels outside the
// rounded shape are left as they are.
void Plate(QImage& image, const QRectF& r, double radius, const PlateStyle& style);

// Signed distance of point (px, py) to the rounded rectangle r (negative inside).
double RoundedRectDistance(const QRectF& r, double radius, double px, double py);

}  // namespace art
