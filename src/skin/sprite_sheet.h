// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

// The loaded sprite sheet and the copies the skin makes from it. A copy puts
// the sheet's pixels unchanged at the destination. Tiling a one-pixel strip
// along an edge is done with one copy from a cached, pre-repeated strip,
// which yields exactly the pixels a copy per step would.
class CSpriteSheet {
public:
    // An unusable sheet (null, or not the expected size) leaves the object
    // empty: every copy then draws nothing.
    explicit CSpriteSheet(const QImage& sheet);
    static CSpriteSheet Load(const QString& path);

    bool IsLoaded() const { return !m_image.isNull(); }

    // Copies `piece` with its top-left corner at `at`.
    void Copy(QPainter& painter, const QRect& piece, QPoint at) const;
    // Copies the image whose top-left corner is `corner` at the size of `dest`.
    void CopyAt(QPainter& painter, QPoint corner, const QRect& dest) const;
    // Repeats `tile` at x = first ... last (inclusive), top edge at y.
    void TileX(QPainter& painter, const QRect& tile, int first, int last, int y);
    // Repeats `tile` at y = first ... last (inclusive), left edge at x.
    void TileY(QPainter& painter, const QRect& tile, int x, int first, int last);

private:
    struct Strip {
        QRect tile;
        bool horizontal;
        QImage image;
    };
    const QImage& RepeatedStrip(const QRect& tile, bool horizontal, int length);

    QImage m_image;
    std::vector<Strip> m_strips;
};
