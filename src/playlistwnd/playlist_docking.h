// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// How the playlist window sits against the main window: the settings
// "Docked", "DockedSide" (1-16) and "Distance" (pixels, for sides 13-16).
struct CDockState {
    int Docked = 1;
    int DockedSide = 10;
    int Distance = 0;
};

// Edges come within this many pixels before they snap.
constexpr int kSnapDistance = 10;

// The snap step of a drag or a resize: `playlist` is the playlist window's
// rectangle already moved by the drag's offset, `main` the main window's,
// both in screen coordinates. Returns where the playlist window goes (its
// size never changes) and records the side it snapped to in `dock`.
QPoint SnapToMainWindow(const QRect& playlist, const QRect& main, CDockState& dock);

// The follow step after the main window moved to `main`: where a docked
// playlist window of `size` goes, or nothing when it is not docked or its
// side code is unknown.
std::optional<QPoint> FollowMainWindow(const QRect& main, QSize size, const CDockState& dock);
