// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

// A rectangle given by its left, top and exclusive right and bottom edges.
inline QRect RectLTRB(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// The playlist window's smallest rectangle and its list area, the same in
// every look so that nothing moves when the look changes.
inline QRect PlaylistMinRect() { return RectLTRB(0, 0, 318, 100); }
inline QRect PlaylistListArea(QSize client) { return RectLTRB(5, 26, client.width() - 24, client.height() - 29); }

// Whether pixel p lies in the ellipse inscribed in `bounds`: the pixel's
// centre must be inside or on the ellipse.
bool EllipseContainsPixel(const QRect& bounds, QPoint p);

// The window shape of the skinned windows: the client rectangle of `size`
// with each corner rounded by an 11 x 11 ellipse.
QRegion RoundedWindowRegion(QSize size);
