// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

// The border the frameless windows are sized by: a band 6 pixels wide
// along the inside of the window rectangle; within it, strips 20 pixels deep
// along each side decide the corners.
enum BorderHit {
    HT_NOWHERE = 0,  // not in the band: an ordinary client point
    HT_LEFT = 10,
    HT_RIGHT = 11,
    HT_TOP = 12,
    HT_TOPLEFT = 13,
    HT_TOPRIGHT = 14,
    HT_BOTTOM = 15,
    HT_BOTTOMLEFT = 16,
    HT_BOTTOMRIGHT = 17,
};

constexpr int kResizeBandWidth = 6;
constexpr int kResizeCornerDepth = 20;

// `window` and `point` in the same coordinates (screen or client).
BorderHit BorderHitTest(const QRect& window, const QPoint& point);
// The window edges a sizing hit moves; empty for HT_NOWHERE.
Qt::Edges EdgesForHit(BorderHit hit);
// The sizing cursor of a hit; Qt::ArrowCursor for HT_NOWHERE.
Qt::CursorShape CursorForHit(BorderHit hit);
// The rectangle after dragging `edges` of `start` by `delta`, no smaller
// than `minimum`; the opposite edges stay put.
QRect ResizedRect(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum);
