// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/resize_band.h"

#include <algorithm>

BorderHit BorderHitTest(const QRect& window, const QPoint& point)
{
    // Exclusive right and bottom edges, as the window rectangle has them.
    const int left = window.left();
    const int top = window.top();
    const int right = window.left() + window.width();
    const int bottom = window.top() + window.height();
    const int x = point.x();
    const int y = point.y();
    if (x < left || x >= right || y < top || y >= bottom)
        return HT_NOWHERE;
    const bool inInner = x >= left + kResizeBandWidth && x < right - kResizeBandWidth &&
                         y >= top + kResizeBandWidth && y < bottom - kResizeBandWidth;
    if (inInner)
        return HT_NOWHERE;

    const bool inLeft = x < left + kResizeCornerDepth;
    const bool inRight = x >= right - kResizeCornerDepth;
    const bool inTop = y < top + kResizeCornerDepth;
    const bool inBottom = y >= bottom - kResizeCornerDepth;
    if (inLeft)
        return inTop ? HT_TOPLEFT : inBottom ? HT_BOTTOMLEFT : HT_LEFT;
    if (inRight)
        return inTop ? HT_TOPRIGHT : inBottom ? HT_BOTTOMRIGHT : HT_RIGHT;
    if (inTop)
        return HT_TOP;
    if (inBottom)
        return HT_BOTTOM;
    return HT_NOWHERE;
}

Qt::Edges EdgesForHit(BorderHit hit)
{
    switch (hit) {
    case HT_LEFT: return Qt::LeftEdge;
    case HT_RIGHT: return Qt::RightEdge;
    case HT_TOP: return Qt::TopEdge;
    case HT_TOPLEFT: return Qt::TopEdge | Qt::LeftEdge;
    case HT_TOPRIGHT: return Qt::TopEdge | Qt::RightEdge;
    case HT_BOTTOM: return Qt::BottomEdge;
    case HT_BOTTOMLEFT: return Qt::BottomEdge | Qt::LeftEdge;
    case HT_BOTTOMRIGHT: return Qt::BottomEdge | Qt::RightEdge;
    case HT_NOWHERE: break;
    }
    return {};
}

Qt::CursorShape CursorForHit(BorderHit hit)
{
    switch (hit) {
    case HT_LEFT:
    case HT_RIGHT: return Qt::SizeHorCursor;
    case HT_TOP:
    case HT_BOTTOM: return Qt::SizeVerCursor;
    case HT_TOPLEFT:
    case HT_BOTTOMRIGHT: return Qt::SizeFDiagCursor;
    case HT_TOPRIGHT:
    case HT_BOTTOMLEFT: return Qt::SizeBDiagCursor;
    case HT_NOWHERE: break;
    }
    return Qt::ArrowCursor;
}

QRect ResizedRect(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum)
{
    int left = start.left();
    int top = start.top();
    int right = start.left() + start.width();
    int bottom = start.top() + start.height();
    if (edges & Qt::LeftEdge)
        left = std::min(left + delta.x(), right - minimum.width());
    if (edges & Qt::RightEdge)
        right = std::max(right + delta.x(), left + minimum.width());
    if (edges & Qt::TopEdge)
        top = std::min(top + delta.y(), bottom - minimum.height());
    if (edges & Qt::BottomEdge)
        bottom = std::max(bottom + delta.y(), top + minimum.height());
    return QRect(left, top, right - left, bottom - top);
}
