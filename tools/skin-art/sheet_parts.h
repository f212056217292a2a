// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "glyphs.h"

#include <QImage>
#include <QRect>

// The recurring parts of the sheet: button caps, rods and collars.
namespace art {

// How a button shows its state: Plain for buttons without one, Lit and Unlit
// for toggles (a red lamp in the corner, a brighter or dimmer symbol).
enum class Lamp { Plain, Lit, Unlit };

// A 16 x 13 or 21 x 17 button cap with its symbol, raised or pressed in.
// The whole rectangle is drawn; its border is the outline colour.
void Button(QImage& image, const QRect& r, Glyph glyph, bool pressed, Lamp lamp = Lamp::Plain);

// The 41 x 43 play button with its ring and the stubs of the rods that lead
// to the seek bar and the transport strip.
void PlayButton(QImage& image, QPoint at, Glyph glyph, bool pressed);

// Brightness rows of the rods and bars, top to bottom.
double TubeRow(int row);    // 11-row rod from the play button
double TrackRow(int row);   // 11-row seek track: rod with an open channel
double StubRow(int row);    // 9-row rod to the transport strip
QRgb ProgressRow(int row);  // channel rows 3 ... 7 of the seek progress
double VolumeRow(int row);  // 5-row volume rail

// The collar that ends a bar: 7 x 11.
void EndCap(QImage& image, QPoint at);
// A joint between bars: 10 x 13.
void Joint(QImage& image, QPoint at, int seed);
// The volume knob: 8 x 11.
void Knob(QImage& image, QPoint at);
// A screw head of 3 x 3 pixels centred on `centre`.
void Screw(QImage& image, QPoint centre);

}  // namespace art
