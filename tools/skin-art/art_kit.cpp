// SPDX-License-Identifier: GPL-3.0-or-later
#include "art_kit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace art {

QRgb Mix(QRgb a, QRgb b, double f)
{
    f = std::clamp(f, 0.0, 1.0);
    auto channel = [f](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * f)); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

const SheetStyle kMetalRedStyle = {
    .metal = {0x0C0203, 0x3E0A0C, 0x701719, 0xA42D2E, 0xDA7068},
    .outline = kOutline,
    .glyph = kGlyph,
    .glyphLit = 0xF0ECEA,
    .glyphUnlit = 0x8E8484,
    .glyphShadow = kGlyphShadow,
    .glyphGleam = qRgba(255, 210, 200, 40),
    .lampLit = 0xFF3A2E,
    .lampGlow = 0x9A1A14,
    .lampDark = 0x2A0607,
    .progress = {0x5A0A08, 0xFF6A55, 0xF0302A, 0xC01818, 0x6A0808},
    .bezelShadow = 0x1C0605,
    .displayTop = 0xD6C4BA,
    .displayBottom = 0xEADCD3,
    .displayGleam = 0xF4EAE4,
    .buttonRadius = 0.01,
    .plateRadius = 4.0,
    .ringRadius = 2.0,
    .studRadius = 2.0,
    .thumbRadius = 3.0,
    .gripRadius = 1.0,
    .jointRadius = 2.5,
    .knobRadius = 2.0,
    .capRadius = 0.0,
    .windowRadius = 0.0,
};

// Cool blue enamel with soft, round shapes: pill plates, round buttons in
// dark sockets, round knob and collars, a capsule for the time window.
const SheetStyle kBlueCurveStyle = {
    .metal = {0x02060E, 0x0C2850, 0x1D5695, 0x3F8FD2, 0xA6DCFA},
    .outline = 0x020A18,
    .glyph = 0xE6F2FF,
    .glyphLit = 0xFFFFFF,
    .glyphUnlit = 0x7C90A8,
    .glyphShadow = 0x03101F,
    .glyphGleam = qRgba(190, 225, 255, 46),
    .lampLit = 0x5CF0FF,
    .lampGlow = 0x1A8FB0,
    .lampDark = 0x06203A,
    .progress = {0x063048, 0x9AF4FF, 0x35C8F0, 0x1488C8, 0x083A5A},
    .bezelShadow = 0x031226,
    .displayTop = 0xD2E6F7,
    .displayBottom = 0xE8F3FC,
    .displayGleam = 0xF4FAFF,
    .buttonRadius = 4.0,
    .plateRadius = 10.0,
    .ringRadius = 4.5,
    .studRadius = 5.5,
    .thumbRadius = 7.0,
    .gripRadius = 3.5,
    .jointRadius = 5.0,
    .knobRadius = 4.0,
    .capRadius = 3.5,
    .windowRadius = 8.5,
};

namespace {

const SheetStyle* g_pStyle = &kMetalRedStyle;

}  // namespace

const SheetStyle& Style() { return *g_pStyle; }

ScopedStyle::ScopedStyle(const SheetStyle& style) : m_pPrevious(g_pStyle) { g_pStyle = &style; }

ScopedStyle::~ScopedStyle() { g_pStyle = m_pPrevious; }

QRgb Metal(double t)
{
    const std::array<QRgb, 5>& stops = Style().metal;
    t = std::clamp(t, 0.0, 1.0) * (stops.size() - 1);
    const auto index = std::min(static_cast<size_t>(t), stops.size() - 2);
    return Mix(stops[index], stops[index + 1], t - index);
}

double Noise(int seed, int i)
{
    uint32_t h = static_cast<uint32_t>(seed) * 0x9E3779B1u ^ static_cast<uint32_t>(i) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 32767.5 - 1.0;
}

namespace {

// Smooth noise along one axis with streak length `period`.
double Smooth(int seed, double u)
{
    const int i = static_cast<int>(std::floor(u));
    const double f = u - i;
    const double s = f * f * (3 - 2 * f);
    return Noise(seed, i) * (1 - s) + Noise(seed, i + 1) * s;
}

}  // namespace

double GrainX(int seed, int x, int y)
{
    return 0.65 * Noise(seed, y * 7919) + 0.35 * Smooth(seed + y * 131, x / 11.0);
}

double FrameProfile(double depth)
{
    static constexpr std::array<double, 6> kRod = {0.06, 0.44, 0.70, 0.64, 0.40, 0.07};
    const double u = std::clamp(depth - 0.5, 0.0, 5.0);
    const auto i = std::min(static_cast<size_t>(u), kRod.size() - 2);
    return kRod[i] + (kRod[i + 1] - kRod[i]) * (u - i);
}

double TitleProfile(int row)
{
    if (row <= 0)
        return 0.40;  // also the colour of the panel's rails
    if (row == 1)
        return 0.62;
    if (row >= 16)
        return 0.12;
    if (row == 15)
        return 0.30;
    return 0.52 - 0.012 * row + 0.035 * Noise(404, row);
}

void Fill(QImage& image, const QRect& r, QRgb colour)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            image.setPixel(x, y, colour);
}

double RoundedRectDistance(const QRectF& r, double radius, double px, double py)
{
    const double cx = r.center().x();
    const double cy = r.center().y();
    const double qx = std::abs(px - cx) - (r.width() / 2 - radius);
    const double qy = std::abs(py - cy) - (r.height() / 2 - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

void Plate(QImage& image, const QRectF& r, double radius, const PlateStyle& style)
{
    const QRect pixels = r.toAlignedRect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            const double d = RoundedRectDistance(r, radius, px, py);
            if (d > 0)
                continue;
            if (d > -1) {
                image.setPixel(x, y, style.outline);
                continue;
            }
            const double v = (py - r.top()) / std::max(r.height(), 1.0);
            double t = style.top + (style.bottom - style.top) * v + style.grain * GrainX(style.seed, x, y);
            if (d > -2 && style.relief != Relief::Flat) {
                // The rim just inside the outline catches light from the top left.
                const double nx = RoundedRectDistance(r, radius, px + 0.5, py) -
                                  RoundedRectDistance(r, radius, px - 0.5, py);
                const double ny = RoundedRectDistance(r, radius, px, py + 0.5) -
                                  RoundedRectDistance(r, radius, px, py - 0.5);
                const double light = -(0.45 * nx + 0.9 * ny);
                t += (style.relief == Relief::Raised ? 1 : -0.8) * style.bevel * light;
            }
            image.setPixel(x, y, Metal(t));
        }
    }
}

}  // namespace art
