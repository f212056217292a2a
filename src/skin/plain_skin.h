// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/skin.h"

// The no-skin look: video only, a 2-pixel margin around it, no drawing, no
// controls and the plain rectangular window shape.
class CPlainSkin : public CSkin {
public:
    void PaintMain(QPainter& painter, int nHotControl, QRect rcClient) override;
    void PaintPlaylist(QPainter& painter, int nHotControl, QRect rcClient) override;
    void GetMainMinRect(QRect& rc) const override;
    void GetPlaylistMinRect(QRect& rc) const override;
    void GetVideoArea(QSize mainClient, QRect& rc) const override;
    void GetListArea(QSize playlistClient, QRect& rc) const override;
    void WindowRectFromVideo(const QRect& rcVideo, QRect& rcWindow) const override;
    int HitTestMain(QSize mainClient, int x, int y) override;
    int HitTestPlaylist(QSize playlistClient, int x, int y) override;
    bool GetMainControlRect(QSize mainClient, int id, QRect& rc) override;
    bool GetPlaylistControlRect(QSize playlistClient, int id, QRect& rc) override;
    int GetTopBorder() const override;
    int GetLeftBorder() const override;
    int GetBottomBorder() const override;
    int GetRightBorder() const override;
    void ApplyRegion(QWidget& window) const override;
    int GetVolumeOrigin(QSize mainClient) const override;
    int GetVolumeRange() const override;
};
