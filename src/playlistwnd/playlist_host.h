// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/hot_keys.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;
class QWidget;

// What the sort menu can choose.
enum class PlaylistSort { None, ByName, ByFolder };

// What the playlist window needs from the main window, which owns the skin
// and the media engine: the skin's layout, hit test and painting of the
// playlist window, the engine's full-screen state and playback of the
// current row, the main window's key-up hot keys and the sort menu, which
// the main window's command table describes.
class CPlaylistHost {
public:
    virtual ~CPlaylistHost() = default;

    // The skin, for a playlist window of client size `client`.
    virtual QRect ListArea(QSize client) = 0;
    // An empty rectangle for an id the skin does not place.
    virtual QRect ControlRect(QSize client, int id) = 0;
    virtual int HitTest(QSize client, QPoint point) = 0;
    virtual QSize MinimumSize() = 0;
    // The frame, buttons, scroll bar and title strip over the rows, with
    // `pressed` shown pressed (0: none).
    virtual void PaintFrame(QPainter& painter, int pressed, QRect client) = 0;
    virtual void ApplyRegion(QWidget& window) = 0;

    // The main window's rectangle in screen coordinates.
    virtual QRect MainWindowRect() = 0;
    virtual bool IsFullScreen() = 0;
    // Closes any open clip, makes `row` the playlist's current row, opens
    // and plays it, keeping full screen when it was on.
    virtual void PlayRow(int row) = 0;
    // Runs the main window's command for a key-up hot key; false when no
    // command has that key.
    virtual bool OnHotKeyRelease(HotKeyCode code) = 0;
    // Shows the sort menu at the screen point `at`, owned by `owner`.
    virtual PlaylistSort ChooseSort(QPoint at, QWidget* owner) = 0;
};
