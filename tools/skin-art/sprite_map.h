// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

#include <vector>

// Every rectangle of the sprite map with its name: what a skin maker draws.
struct SpriteArea {
    const char* name;
    QRect rect;
};

std::vector<SpriteArea> SpriteMap();

// The sheet enlarged `scale` times with every area of the map outlined and
// named, for drawing a skin of one's own.
QImage AnnotatedMap(const QImage& sheet, int scale);
