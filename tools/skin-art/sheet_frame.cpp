// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_frame.h"

#include "art_kit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace art {

namespace {

constexpr int kRod = 6;
constexpr double kCornerRadius = 5.5;

// The rod seen from the outside edge: brightness at a depth. Along the bottom
// the edge tile is the top tile again, so the rod is seen from its other side.
double SideProfile(double depth) { return FrameProfile(depth); }
double BottomProfile(double depth) { return FrameProfile(kRod - depth); }

QRgb FrameColour(QSize size, int x, int y, bool* inFrame)
{
    const int w = size.width();
    const int h = size.height();
    const double cx = x + 0.5;
    const double cy = y + 0.5;
    // Rounded corners: the rod bends around the window's corner ellipse.
    const double left = kCornerRadius, right = w - kCornerRadius;
    const double top = kCornerRadius, bottom = h - kCornerRadius;
    const bool inCornerX = cx < left || cx > right;
    const bool inCornerY = cy < top || cy > bottom;
    *inFrame = true;
    if (inCornerX && inCornerY) {
        const double ox = cx < left ? left : right;
        const double oy = cy < top ? top : bottom;
        const double dx = cx - ox;
        const double dy = cy - oy;
        const double depth = kCornerRadius - std::hypot(dx, dy);
        if (depth < 0)
            return Style().outline;
        // 0 where the rod runs vertically, 1 where it runs horizontally.
        const double along = std::atan2(std::abs(dy), std::abs(dx)) / (std::numbers::pi / 2);
        const double horizontal = cy > bottom ? BottomProfile(depth) : SideProfile(depth);
        return Metal(SideProfile(depth) * (1 - along) + horizontal * along);
    }
    const double depthLeft = cx, depthRight = w - cx, depthTop = cy, depthBottom = h - cy;
    const double nearest = std::min({depthLeft, depthRight, depthTop, depthBottom});
    if (nearest >= kRod) {
        *inFrame = false;
        return kBlack;
    }
    if (nearest == depthBottom)
        return Metal(BottomProfile(nearest));
    return Metal(SideProfile(nearest));
}

}  // namespace

QImage WindowBackground(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kBlack);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            bool inFrame = false;
            const QRgb frame = FrameColour(size, x, y, &inFrame);
            if (inFrame)
                image.setPixel(x, y, frame);
            else if (y >= kRod && y < kRod + 17)
                image.setPixel(x, y, Metal(TitleProfile(y - kRod)));
        }
    }
    return image;
}

void Blit(QImage& to, QPoint at, const QImage& from, const QRect& source)
{
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            to.setPixel(at.x() + x, at.y() + y, from.pixel(source.x() + x, source.y() + y));
}

}  // namespace art
