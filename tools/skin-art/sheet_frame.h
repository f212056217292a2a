// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

// Backgrounds of whole windows that the frame pieces are cut from: the
// rounded frame rod, the title bar and black elsewhere. Cutting every corner,
// edge tile and title-bar piece from the same picture makes them continue
// one another exactly.
namespace art {

inline constexpr QSize kVirtualWindow(600, 300);

QImage WindowBackground(QSize size);

// Copies `source` rectangle of `from` to `to` at `at`.
void Blit(QImage& to, QPoint at, const QImage& from, const QRect& source);

}  // namespace art
