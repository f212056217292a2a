// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

class QPainter;
class QWidget;

// The look and the layout of both skinned windows. The windows hold no
// coordinates of their own: they ask the current skin where the video, the
// list and every control are, what shape the window has and how small it may
// get, and let it paint their frame. Every rectangle is in client coordinates
// of the window concerned and is recomputed from its current client size on
// every call.
class CSkin {
public:
    virtual ~CSkin() = default;

    // Draws the main window's frame, controls and texts over what the window
    // has drawn, with nHotControl shown pressed (0: none).
    virtual void PaintMain(QPainter& painter, int nHotControl, QRect rcClient) = 0;
    // The same for the playlist window, over its list rows.
    virtual void PaintPlaylist(QPainter& painter, int nHotControl, QRect rcClient) = 0;
    virtual void GetMainMinRect(QRect& rc) const = 0;
    virtual void GetPlaylistMinRect(QRect& rc) const = 0;
    virtual void GetVideoArea(QSize mainClient, QRect& rc) const = 0;
    virtual void GetListArea(QSize playlistClient, QRect& rc) const = 0;
    // The window rectangle around a video rectangle, in the same coordinate
    // space; the inverse of GetVideoArea.
    virtual void WindowRectFromVideo(const QRect& rcVideo, QRect& rcWindow) const = 0;
    // The control id at a client point, 0 for none.
    virtual int HitTestMain(QSize mainClient, int x, int y) = 0;
    virtual int HitTestPlaylist(QSize playlistClient, int x, int y) = 0;
    // A control's rectangle. An id the skin does not place leaves rc as it
    // was and returns false.
    virtual bool GetMainControlRect(QSize mainClient, int id, QRect& rc) = 0;
    // Laying out PC_THUMB also writes the thumb offset into the state record.
    virtual bool GetPlaylistControlRect(QSize playlistClient, int id, QRect& rc) = 0;
    virtual int GetTopBorder() const = 0;
    virtual int GetLeftBorder() const = 0;
    virtual int GetBottomBorder() const = 0;
    virtual int GetRightBorder() const = 0;
    // Gives the window its shape for its current size.
    virtual void ApplyRegion(QWidget& window) const = 0;
    // Client x of the volume bar's reference point, and the bar's length.
    virtual int GetVolumeOrigin(QSize mainClient) const = 0;
    virtual int GetVolumeRange() const = 0;
};
