// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skin_geometry.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kCornerDiameter = 11;

// Pixels cut from row `row` (counted from the nearer horizontal edge) by a
// corner ellipse of kCornerDiameter.
int CornerInset(int row)
{
    const QRect corner(0, 0, kCornerDiameter, kCornerDiameter);
    const int centre = kCornerDiameter / 2;
    if (row >= centre)
        return 0;
    int inset = 0;
    while (inset < centre && !EllipseContainsPixel(corner, QPoint(inset, row)))
        ++inset;
    return inset;
}

}  // namespace

bool EllipseContainsPixel(const QRect& bounds, QPoint p)
{
    if (bounds.isEmpty())
        return false;
    const double rx = bounds.width() / 2.0;
    const double ry = bounds.height() / 2.0;
    const double dx = (p.x() + 0.5 - bounds.x() - rx) / rx;
    const double dy = (p.y() + 0.5 - bounds.y() - ry) / ry;
    return dx * dx + dy * dy <= 1.0;
}

QRegion RoundedWindowRegion(QSize size)
{
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0)
        return QRegion();
    std::vector<QRect> rows;
    int y = 0;
    while (y < h) {
        const int distance = std::min(y, h - 1 - y);
        const int inset = std::min(CornerInset(distance), (w - 1) / 2);
        if (inset == 0 && distance >= kCornerDiameter / 2) {
            // The straight middle part is one rectangle.
            const int last = h - 1 - kCornerDiameter / 2;
            rows.emplace_back(0, y, w, last - y + 1);
            y = last + 1;
            continue;
        }
        rows.emplace_back(inset, y, w - 2 * inset, 1);
        ++y;
    }
    QRegion region;
    region.setRects(rows.data(), static_cast<int>(rows.size()));
    return region;
}
