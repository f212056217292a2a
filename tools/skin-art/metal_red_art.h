// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// The "Metal Red" artwork: the skin's 376 x 122 sprite sheet and the
// player's icons, drawn from code so that every piece sits exactly where the
// skin copies it from.
QImage DrawMetalRedSheet();
// The "Blue Curve" sheet: the same pieces at the same places, in blue with
// rounded shapes.
QImage DrawBlueCurveSheet();

// The icon for one of the player's icon ids (138 application, 140 paused,
// 142 playing, 144 stopped, 153 association page, 154 general page, 155 keys
// page) at size x size pixels with alpha. A null image for other ids.
QImage DrawPlayerIcon(int iconId, int size);

// The scalable application icon for the desktop entry.
QByteArray ApplicationIconSvg();
