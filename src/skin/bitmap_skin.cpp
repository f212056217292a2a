// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/bitmap_skin.h"

#include "skin/skin_geometry.h"
#include "skin/skin_ids.h"
#include "skin/skin_state_record.h"

#include <QWidget>

#include <algorithm>
#include <array>

namespace {

constexpr int kBorder = 6;
constexpr int kVideoTop = 23;
constexpr int kVideoBottom = 49;
constexpr int kThumbHeight = 34;

// The order in which points are tested; where controls overlap (only below
// the minimum size) the first one wins.
constexpr std::array kMainHitOrder = {
    MC_CLOSE,      MC_MAXIMIZE, MC_MINIMIZE, MC_PLAYPAUSE, MC_STOP, MC_LOAD,    MC_SEEK,
    MC_FULLSCREEN, MC_FAST,     MC_SLOW,     MC_TOPMOST,   MC_HIDE, MC_REPEAT,  MC_MUTE,
    MC_VOLUME,     MC_OPTIONS,  MC_PLAYLIST, MC_PREVIOUS,  MC_NEXT, MC_SHUFFLE,
};

constexpr std::array kPlaylistHitOrder = {
    PC_CLOSE, PC_MAXIMIZE, PC_ADDFILES,   PC_ADDFOLDER, PC_REMOVE,   PC_CLEAR,  PC_SORT,
    PC_SAVE,  PC_LOAD,     PC_REPEATLIST, PC_THUMB,     PC_NAMEMODE, PC_MOVEUP, PC_MOVEDOWN,
};

// Title buttons: 16 x 13, 17 pixels apart, the close button's right edge one
// pixel inside the right border.
QRect TitleButton(int w, int slot)
{
    const int right = w - kBorder - 1 - 17 * slot;
    return RectLTRB(right - 16, kBorder + 1, right, kBorder + 14);
}

// Transport buttons: 21 x 17, 24 pixels apart from x = 63.
QRect TransportButton(int h, int slot)
{
    const int left = 63 + 24 * slot;
    return RectLTRB(left, h - 26, left + 21, h - 9);
}

// Playlist buttons: 21 x 17, 24 pixels apart from x = 97.
QRect ListButton(int h, int slot)
{
    const int left = 97 + 24 * slot;
    return RectLTRB(left, h - 26, left + 21, h - 9);
}

}  // namespace

CBitmapSkin::CBitmapSkin(CSkinStateRecord& state) : CBitmapSkin(state, BuiltInSkin(SKIN_METAL_RED)) {}

CBitmapSkin::CBitmapSkin(CSkinStateRecord& state, const CBuiltInSkin& skin)
    : CBitmapSkin(state, skin.sheetPath, skin.colours)
{
}

CBitmapSkin::CBitmapSkin(CSkinStateRecord& state, const QString& sheetPath, CSkinTextColours colours)
    : m_state(state), m_sheet(CSpriteSheet::Load(sheetPath)), m_colours(colours)
{
    InitFont();
}

CBitmapSkin::CBitmapSkin(CSkinStateRecord& state, const QImage& sheet, CSkinTextColours colours)
    : m_state(state), m_sheet(sheet), m_colours(colours)
{
    InitFont();
}

void CBitmapSkin::GetMainMinRect(QRect& rc) const { rc = RectLTRB(0, 0, 403, 70); }

void CBitmapSkin::GetPlaylistMinRect(QRect& rc) const { rc = PlaylistMinRect(); }

void CBitmapSkin::GetVideoArea(QSize client, QRect& rc) const
{
    rc = RectLTRB(kBorder, kVideoTop, client.width() - kBorder, client.height() - kVideoBottom);
}

void CBitmapSkin::GetListArea(QSize client, QRect& rc) const { rc = PlaylistListArea(client); }

void CBitmapSkin::WindowRectFromVideo(const QRect& rcVideo, QRect& rcWindow) const
{
    rcWindow = rcVideo.adjusted(-kBorder, -kVideoTop, kBorder, kVideoBottom);
}

// Tahoma at 11 pixels, hinted to the pixel grid so that stems come out solid
// in the text colour. Where Tahoma is missing fontconfig supplies a sans face.
void CBitmapSkin::InitFont()
{
    m_font.setFamily(QStringLiteral("Tahoma"));
    m_font.setPixelSize(11);
    m_font.setHintingPreference(QFont::PreferFullHinting);
}

int CBitmapSkin::VolumeLevel() const { return std::clamp(m_state.GetVolumeLevel(kVolumeRange), 0, kVolumeRange); }

bool CBitmapSkin::GetMainControlRect(QSize client, int id, QRect& rc)
{
    const int w = client.width();
    const int h = client.height();
    switch (id) {
    case MC_CLOSE: rc = TitleButton(w, 0); return true;
    case MC_MAXIMIZE: rc = TitleButton(w, 1); return true;
    case MC_MINIMIZE: rc = TitleButton(w, 2); return true;
    case MC_FULLSCREEN: rc = TitleButton(w, 3); return true;
    case MC_TOPMOST: rc = TitleButton(w, 4); return true;
    case MC_HIDE: rc = TitleButton(w, 5); return true;
    case MC_PLAYPAUSE: rc = RectLTRB(5, h - 49, 46, h - 6); return true;
    case MC_PREVIOUS: rc = TransportButton(h, 0); return true;
    case MC_NEXT: rc = TransportButton(h, 1); return true;
    case MC_SLOW: rc = TransportButton(h, 2); return true;
    case MC_FAST: rc = TransportButton(h, 3); return true;
    case MC_STOP: rc = TransportButton(h, 4); return true;
    case MC_LOAD: rc = TransportButton(h, 5); return true;
    case MC_SEEK: rc = RectLTRB(74, h - 46, w - 151, h - 35); return true;
    case MC_REPEAT: rc = RectLTRB(w - 57, h - 24, w - 41, h - 11); return true;
    case MC_SHUFFLE: rc = RectLTRB(w - 40, h - 24, w - 24, h - 11); return true;
    case MC_PLAYLIST: rc = RectLTRB(w - 23, h - 24, w - 7, h - 11); return true;
    case MC_MUTE: rc = RectLTRB(w - 57, h - 47, w - 41, h - 34); return true;
    case MC_OPTIONS: rc = RectLTRB(w - 23, h - 47, w - 7, h - 34); return true;
    case MC_VOLUME: {
        const int v = VolumeLevel();
        rc = RectLTRB(w - 69 - v, h - 46, w - 61 - v, h - 35);
        return true;
    }
    case MC_TIME: rc = RectLTRB(w - 178, h - 26, w - 68, h - 9); return true;
    case MC_TITLE: rc = RectLTRB(13, 8, w - 124, 20); return true;
    case MC_VOLUMEBAR: rc = RectLTRB(w - 127, h - 46, w - 62, h - 35); return true;
    default: return false;
    }
}

bool CBitmapSkin::GetPlaylistControlRect(QSize client, int id, QRect& rc)
{
    const int w = client.width();
    const int h = client.height();
    switch (id) {
    case PC_CLOSE: rc = RectLTRB(w - 23, 7, w - 7, 20); return true;
    case PC_MAXIMIZE: rc = RectLTRB(w - 40, 7, w - 24, 20); return true;
    case PC_ADDFILES: rc = ListButton(h, 0); return true;
    case PC_ADDFOLDER: rc = ListButton(h, 1); return true;
    case PC_REMOVE: rc = ListButton(h, 2); return true;
    case PC_CLEAR: rc = ListButton(h, 3); return true;
    case PC_LOAD: rc = ListButton(h, 4); return true;
    case PC_SAVE: rc = ListButton(h, 5); return true;
    case PC_SORT: rc = ListButton(h, 6); return true;
    case PC_REPEATLIST: rc = RectLTRB(42, h - 24, 58, h - 11); return true;
    case PC_NAMEMODE: rc = RectLTRB(25, h - 24, 41, h - 11); return true;
    case PC_MOVEUP: rc = RectLTRB(w - 40, h - 24, w - 24, h - 11); return true;
    case PC_MOVEDOWN: rc = RectLTRB(w - 23, h - 24, w - 7, h - 11); return true;
    case PC_TITLE: rc = RectLTRB(12, 6, w - 128, 21); return true;
    case PC_THUMB: {
        QRect list;
        GetListArea(client, list);
        const int span = std::max(list.height() - kThumbHeight, 0);
        const int count = m_state.m_nCount;
        int offset = 0;
        if (count > 0) {
            const long double exact = static_cast<long double>(span) * m_state.m_nTop / count;
            offset = std::clamp(static_cast<int>(exact), 0, span);
        }
        m_state.m_nThumbOffset = offset;
        const int top = list.top() + offset;
        rc = RectLTRB(w - 22, top, w - 5, top + kThumbHeight);
        return true;
    }
    default: return false;
    }
}

int CBitmapSkin::HitTestMain(QSize client, int x, int y)
{
    const QPoint point(x, y);
    for (int id : kMainHitOrder) {
        if (id == MC_PLAYPAUSE) {
            const QRect ellipse = RectLTRB(11, client.height() - 42, 42, client.height() - 11);
            if (EllipseContainsPixel(ellipse, point))
                return id;
            continue;
        }
        QRect rc;
        GetMainControlRect(client, id, rc);
        if (rc.contains(point))
            return id;
    }
    return 0;
}

int CBitmapSkin::HitTestPlaylist(QSize client, int x, int y)
{
    const QPoint point(x, y);
    for (int id : kPlaylistHitOrder) {
        QRect rc;
        GetPlaylistControlRect(client, id, rc);
        if (rc.contains(point))
            return id;
    }
    return 0;
}

int CBitmapSkin::GetTopBorder() const { return kBorder; }
int CBitmapSkin::GetLeftBorder() const { return kBorder; }
int CBitmapSkin::GetBottomBorder() const { return kBorder; }
int CBitmapSkin::GetRightBorder() const { return kBorder; }

void CBitmapSkin::ApplyRegion(QWidget& window) const { window.setMask(RoundedWindowRegion(window.size())); }

int CBitmapSkin::GetVolumeOrigin(QSize client) const { return client.width() - 61; }

int CBitmapSkin::GetVolumeRange() const { return kVolumeRange; }
