// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

// A stand-in sprite sheet whose every pixel names its own position, so a
// rendered pixel tells exactly which sheet pixel was copied there. No pixel
// is black or the title-text grey.
QImage CodedSheet();
QRgb CodedPixel(int x, int y);

// Checks that `dest` of `image` holds the sheet pixels starting at `from`.
testing::AssertionResult CopiedFrom(const QImage& image, const QRect& dest, QPoint from);
// Checks that every pixel of `dest` equals the one-pixel-wide (or high)
// `tile` of the sheet repeated along it.
testing::AssertionResult TiledFrom(const QImage& image, const QRect& dest, const QRect& tile);
// Checks that `dest` of `a` and `b` are the same.
testing::AssertionResult SamePixels(const QImage& a, const QImage& b, const QRect& dest);
