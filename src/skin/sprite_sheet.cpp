// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/sprite_sheet.h"

#include "skin/sprite_layout.h"

#include <QPainter>
#include <QtGlobal>

CSpriteSheet::CSpriteSheet(const QImage& sheet)
{
    if (sheet.isNull())
        return;
    if (sheet.size() != sprite::kSheetSize) {
        qWarning("Velmora: the sprite sheet is %dx%d pixels, expected %dx%d; the skin draws nothing",
                 sheet.width(), sheet.height(), sprite::kSheetSize.width(), sprite::kSheetSize.height());
        return;
    }
    m_image = sheet.convertToFormat(QImage::Format_RGB32);
}

CSpriteSheet CSpriteSheet::Load(const QString& path)
{
    QImage image;
    if (!image.load(path))
        qWarning("Velmora: cannot read the sprite sheet %s; the skin draws nothing", qPrintable(path));
    return CSpriteSheet(image);
}

void CSpriteSheet::Copy(QPainter& painter, const QRect& piece, QPoint at) const
{
    if (IsLoaded())
        painter.drawImage(at, m_image, piece);
}

void CSpriteSheet::CopyAt(QPainter& painter, QPoint corner, const QRect& dest) const
{
    if (IsLoaded())
        painter.drawImage(dest.topLeft(), m_image, QRect(corner, dest.size()));
}

void CSpriteSheet::TileX(QPainter& painter, const QRect& tile, int first, int last, int y)
{
    if (!IsLoaded() || last < first)
        return;
    const int length = last - first + 1;
    painter.drawImage(QPoint(first, y), RepeatedStrip(tile, true, length), QRect(0, 0, length, tile.height()));
}

void CSpriteSheet::TileY(QPainter& painter, const QRect& tile, int x, int first, int last)
{
    if (!IsLoaded() || last < first)
        return;
    const int length = last - first + 1;
    painter.drawImage(QPoint(x, first), RepeatedStrip(tile, false, length), QRect(0, 0, tile.width(), length));
}

const QImage& CSpriteSheet::RepeatedStrip(const QRect& tile, bool horizontal, int length)
{
    Strip* strip = nullptr;
    for (Strip& s : m_strips) {
        if (s.tile == tile && s.horizontal == horizontal)
            strip = &s;
    }
    if (!strip) {
        m_strips.push_back({tile, horizontal, QImage()});
        strip = &m_strips.back();
    }
    const int have = horizontal ? strip->image.width() : strip->image.height();
    if (have >= length)
        return strip->image;

    int capacity = 256;
    while (capacity < length)
        capacity *= 2;
    const QSize size = horizontal ? QSize(capacity, tile.height()) : QSize(tile.width(), capacity);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* source = reinterpret_cast<const QRgb*>(
            m_image.constScanLine(tile.y() + (horizontal ? y : y % tile.height())));
        for (int x = 0; x < size.width(); ++x)
            line[x] = source[tile.x() + (horizontal ? x % tile.width() : x)];
    }
    strip->image = image;
    return strip->image;
}
