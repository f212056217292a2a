// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QRgb>

class QPainter;

// The engraved symbols of the skin's buttons.
enum class Glyph {
    Play,
    Pause,
    Stop,
    Eject,
    Previous,
    Next,
    Slower,
    Faster,
    FullScreen,
    TopMost,
    Hide,
    Minimize,
    Maximize,
    Restore,
    Close,
    Speaker,
    SpeakerMuted,
    Repeat,
    Shuffle,
    Options,
    Playlist,
    Add,
    AddFolder,
    Remove,
    Clear,
    Open,
    Save,
    Sort,
    Up,
    Down,
    NamesShort,
    NamesLong,
};

// Fills the symbol's shapes into `box` with the painter's brush.
void PaintGlyphShape(QPainter& painter, Glyph glyph, const QRectF& box);

// Draws a glyph onto the sheet in `colour` cut into the metal: a dark lip
// above it, a faint highlight below. `box` is where the symbol goes.
void EngraveGlyph(QImage& image, Glyph glyph, const QRectF& box, QRgb colour);
