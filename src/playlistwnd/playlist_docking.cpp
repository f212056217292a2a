// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistwnd/playlist_docking.h"

namespace {

// Right and bottom edges are exclusive, as window rectangles are reported.
struct Edges {
    int left, top, right, bottom;
    explicit Edges(const QRect& rc)
        : left(rc.left()), top(rc.top()), right(rc.left() + rc.width()), bottom(rc.top() + rc.height())
    {
    }
};

bool Near(int a, int b) { return b - kSnapDistance <= a && a <= b + kSnapDistance; }

}  // namespace

QPoint SnapToMainWindow(const QRect& playlist, const QRect& main, CDockState& dock)
{
    const Edges p(playlist);
    const Edges m(main);
    const int w = playlist.width();
    const int h = playlist.height();
    // The first drag move that touches an edge only aligns that edge; the
    // next one, with "Docked" on, picks the side.
    const bool wasDocked = dock.Docked != 0;
    auto side = [&dock](int code, QPoint at) {
        dock.DockedSide = code;
        return at;
    };
    auto offsetSide = [&dock](int code, int distance, QPoint at) {
        dock.DockedSide = code;
        dock.Distance = distance;
        return at;
    };

    QPoint at;
    if (Near(p.left, m.right)) {
        if (!wasDocked)
            at = QPoint(m.right - 1, p.top);
        else if (Near(p.top, m.top))
            at = side(10, QPoint(m.right - 1, m.top));
        else if (Near(p.top, m.bottom))
            at = side(11, QPoint(m.right - 1, m.bottom));
        else if (Near(p.bottom, m.top))
            at = side(12, QPoint(m.right - 1, m.top - h));
        else
            at = offsetSide(16, m.top - p.top, QPoint(m.right - 1, p.top));
    } else if (Near(p.right, m.left)) {
        if (!wasDocked)
            at = QPoint(m.left - w + 1, p.top);
        else if (Near(p.top, m.top))
            at = side(4, QPoint(m.left - w + 1, m.top));
        else if (Near(p.top, m.bottom))
            at = side(5, QPoint(m.left - w + 1, m.bottom));
        else if (Near(p.bottom, m.top))
            at = side(6, QPoint(m.left - w + 1, m.top - h));
        else
            at = offsetSide(15, m.top - p.top, QPoint(m.left - w + 1, p.top));
    } else if (Near(p.bottom, m.top)) {
        if (!wasDocked)
            at = QPoint(p.left, m.top - h + 1);
        else if (Near(p.left, m.left))
            at = side(1, QPoint(m.left, m.top - h + 1));
        else
            at = offsetSide(13, m.left - p.left, QPoint(p.left, m.top - h + 1));
    } else if (Near(p.top, m.bottom)) {
        if (!wasDocked)
            at = QPoint(p.left, m.bottom - 1);
        else if (Near(p.left, m.left))
            at = side(7, QPoint(m.left, m.bottom - 1));
        else
            at = offsetSide(14, m.left - p.left, QPoint(p.left, m.bottom - 1));
    } else {
        dock.Docked = 0;
        return QPoint(p.left, p.top);
    }
    dock.Docked = 1;
    return at;
}

std::optional<QPoint> FollowMainWindow(const QRect& main, QSize size, const CDockState& dock)
{
    if (!dock.Docked)
        return std::nullopt;
    const Edges m(main);
    const int W = size.width();
    const int H = size.height();
    const int D = dock.Distance;
    switch (dock.DockedSide) {
    case 1: return QPoint(m.left, m.top - H + 1);
    case 2: return QPoint(m.right, m.top - H + 1);
    case 3: return QPoint(m.left - W, m.top - H + 1);
    case 4: return QPoint(m.left - W + 1, m.top);
    case 5: return QPoint(m.left - W + 1, m.bottom);
    case 6: return QPoint(m.left - W + 1, m.top - H);
    case 7: return QPoint(m.left, m.bottom - 1);
    case 8: return QPoint(m.left - W, m.bottom - 1);
    case 9: return QPoint(m.right, m.bottom - 1);
    case 10: return QPoint(m.right - 1, m.top);
    case 11: return QPoint(m.right - 1, m.bottom);
    case 12: return QPoint(m.right - 1, m.top - H);
    case 13: return QPoint(m.left - D, m.top - H + 1);
    case 14: return QPoint(m.left - D, m.bottom - 1);
    case 15: return QPoint(m.left - W + 1, m.top - D);
    case 16: return QPoint(m.right - 1, m.top - D);
    default: return std::nullopt;
    }
}
