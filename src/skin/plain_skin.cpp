// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/plain_skin.h"

#include "skin/skin_geometry.h"

#include <QWidget>

namespace {
constexpr int kMargin = 2;
}

void CPlainSkin::PaintMain(QPainter&, int, QRect) {}
void CPlainSkin::PaintPlaylist(QPainter&, int, QRect) {}

void CPlainSkin::GetMainMinRect(QRect& rc) const { rc = RectLTRB(0, 0, 40, 30); }
void CPlainSkin::GetPlaylistMinRect(QRect& rc) const { rc = PlaylistMinRect(); }

void CPlainSkin::GetVideoArea(QSize client, QRect& rc) const
{
    rc = RectLTRB(kMargin, kMargin, client.width() - kMargin, client.height() - kMargin);
}

// The playlist window is hidden in this mode; its list keeps its place so
// that nothing moves if it is shown anyway.
void CPlainSkin::GetListArea(QSize client, QRect& rc) const { rc = PlaylistListArea(client); }

void CPlainSkin::WindowRectFromVideo(const QRect& rcVideo, QRect& rcWindow) const
{
    rcWindow = rcVideo.adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

int CPlainSkin::HitTestMain(QSize, int, int) { return 0; }
int CPlainSkin::HitTestPlaylist(QSize, int, int) { return 0; }
bool CPlainSkin::GetMainControlRect(QSize, int, QRect&) { return false; }
bool CPlainSkin::GetPlaylistControlRect(QSize, int, QRect&) { return false; }

int CPlainSkin::GetTopBorder() const { return 0; }
int CPlainSkin::GetLeftBorder() const { return 0; }
int CPlainSkin::GetBottomBorder() const { return 0; }
int CPlainSkin::GetRightBorder() const { return 0; }

void CPlainSkin::ApplyRegion(QWidget& window) const
{
    window.clearMask();
    window.update();
}

int CPlainSkin::GetVolumeOrigin(QSize) const { return 0; }
int CPlainSkin::GetVolumeRange() const { return 0; }
