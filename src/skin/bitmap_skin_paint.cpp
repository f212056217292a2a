// SPDX-License-Identifier: GPL-3.0-or-later
// Painting of the bitmap skin: every window is composed from pieces of the
// sprite sheet at fixed offsets from its edges, then the state images, the
// texts and the pressed image of the hot control go on top.
#include "skin/bitmap_skin.h"

#include "skin/skin_geometry.h"
#include "skin/skin_ids.h"
#include "skin/skin_state_record.h"
#include "skin/skin_text.h"
#include "skin/sprite_layout.h"

#include <QPainter>

#include <algorithm>

namespace {

const QString kProgramTitle = QStringLiteral("Velmora");

// Fills `all` black except `hole`, as four strips round it.
void CoverOutside(QPainter& painter, const QRect& all, const QRect& hole)
{
    const QRect keep = all & hole;
    if (keep.isEmpty()) {
        painter.fillRect(all, Qt::black);
        return;
    }
    const int right = all.right() + 1;
    const int bottom = all.bottom() + 1;
    painter.fillRect(RectLTRB(all.left(), all.top(), right, keep.top()), Qt::black);
    painter.fillRect(RectLTRB(all.left(), keep.bottom() + 1, right, bottom), Qt::black);
    painter.fillRect(RectLTRB(all.left(), keep.top(), keep.left(), keep.bottom() + 1), Qt::black);
    painter.fillRect(RectLTRB(keep.right() + 1, keep.top(), right, keep.bottom() + 1), Qt::black);
}

}  // namespace

void CBitmapSkin::CopyAtControl(QPainter& painter, QPoint image, QSize client, int id)
{
    QRect rc;
    if (GetMainControlRect(client, id, rc))
        m_sheet.CopyAt(painter, image, rc);
}

void CBitmapSkin::CopyAtPlaylistControl(QPainter& painter, QPoint image, QSize client, int id)
{
    QRect rc;
    if (GetPlaylistControlRect(client, id, rc))
        m_sheet.CopyAt(painter, image, rc);
}

void CBitmapSkin::PaintMain(QPainter& painter, int nHotControl, QRect rcClient)
{
    if (!m_sheet.IsLoaded())
        return;
    const QSize client = rcClient.size();
    const int w = client.width();
    const int h = client.height();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setLayoutDirection(Qt::LeftToRight);

    painter.fillRect(RectLTRB(6, h - 49, w - 6, h - 6), Qt::black);
    PaintMainFrame(painter, w, h);

    painter.setFont(m_font);
    painter.setPen(QColor::fromRgb(m_colours.title));
    painter.drawText(RectLTRB(13, 6, w - 124, 20), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     m_state.m_bLoaded ? InOwnDirection(m_state.m_strClipFileName) : kProgramTitle);

    PaintMainPanel(painter, w, h);
    PaintMainStates(painter, client);

    QRect rc;
    GetMainControlRect(client, MC_TIME, rc);
    painter.setPen(QColor::fromRgb(m_colours.time));
    // Times read left to right in every language, position first.
    painter.drawText(rc, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextForceLeftToRight,
                     m_state.m_strTime);

    if (m_state.m_bLoaded) {
        const int width = w - 225;
        const int n = std::clamp(m_state.GetPositionScaled(width), 0, std::max(width, 0));
        m_sheet.TileX(painter, sprite::kSeekProgressTile, 74, 74 + n - 1, h - 46);
    }
    GetMainControlRect(client, MC_VOLUME, rc);
    m_sheet.Copy(painter, sprite::kVolumeKnob, rc.topLeft());
    if (m_state.m_bShuffle)
        CopyAtControl(painter, sprite::kShuffleOnNormal, client, MC_SHUFFLE);

    PaintMainPressed(painter, client, nHotControl);
    painter.restore();
}

void CBitmapSkin::PaintMainFrame(QPainter& painter, int w, int h)
{
    using namespace sprite;
    m_sheet.Copy(painter, kMainTopLeft, {0, 0});
    m_sheet.Copy(painter, kMainBottomLeft, {0, h - 21});
    m_sheet.Copy(painter, kMainTopRight, {w - 124, 0});
    m_sheet.Copy(painter, kMainBottomRight, {w - 22, h - 21});
    m_sheet.TileY(painter, kLeftEdgeTile, 0, 25, h - 22);
    m_sheet.TileY(painter, kRightEdgeTile, w - 6, 25, h - 22);
    m_sheet.TileX(painter, kTopEdgeTile, 35, w - 125, 0);
    m_sheet.TileX(painter, kBottomEdgeTile, 22, w - 23, h - 6);
    m_sheet.TileX(painter, kTitleBarTile, 35, w - 125, 6);
}

void CBitmapSkin::PaintMainPanel(QPainter& painter, int w, int h)
{
    using namespace sprite;
    m_sheet.CopyAt(painter, kPlayNormal, RectLTRB(5, h - 49, 46, h - 6));
    m_sheet.Copy(painter, kConnectorA, {46, h - 46});
    m_sheet.Copy(painter, kConnectorB, {46, h - 31});
    m_sheet.Copy(painter, kTransportStrip, {52, h - 28});

    m_sheet.Copy(painter, kLowerRightGroup, {w - 58, h - 25});
    m_sheet.Copy(painter, kTextRightCap, {w - 70, h - 26});
    m_sheet.Copy(painter, kTextLeftCap, {w - 188, h - 26});
    m_sheet.TileX(painter, kTextTile, w - 176, w - 71, h - 26);
    m_sheet.TileX(painter, kGroovePixel, 215, w - 189, h - 18);

    m_sheet.Copy(painter, kOptionsFace, {w - 24, h - 48});
    m_sheet.Copy(painter, kHalfEndCap, {w - 28, h - 46});
    m_sheet.Copy(painter, kBarJointA, {w - 37, h - 47});
    m_sheet.Copy(painter, kHalfEndCap, {w - 40, h - 46});
    m_sheet.Copy(painter, kMuteFace, {w - 58, h - 48});
    m_sheet.Copy(painter, kHalfEndCap, {w - 62, h - 46});

    m_sheet.TileX(painter, kVolumeTrackTile, w - 127, w - 63, h - 43);
    m_sheet.Copy(painter, kBarEndCap, {w - 134, h - 46});
    m_sheet.Copy(painter, kBarJointB, {w - 144, h - 47});
    m_sheet.Copy(painter, kBarEndCap, {w - 151, h - 46});
    m_sheet.TileX(painter, kSeekTrackTile, 74, w - 152, h - 46);
}

void CBitmapSkin::PaintMainStates(QPainter& painter, QSize client)
{
    using namespace sprite;
    if (m_state.m_bMainMaximized)
        CopyAtControl(painter, kRestoreNormal, client, MC_MAXIMIZE);
    if (m_state.m_bTopMost)
        CopyAtControl(painter, kTopMostOnNormal, client, MC_TOPMOST);
    if (m_state.m_bPaused)
        CopyAtControl(painter, kPlayNormal, client, MC_PLAYPAUSE);
    if (m_state.m_bPlaying)
        CopyAtControl(painter, m_state.m_bRateChanged ? kPlayNormal : kPauseNormal, client, MC_PLAYPAUSE);
    if (!m_state.m_bRepeat)
        CopyAtControl(painter, kRepeatOffNormal, client, MC_REPEAT);
    if (m_state.m_bMuted)
        CopyAtControl(painter, kMutedNormal, client, MC_MUTE);
}

void CBitmapSkin::PaintMainPressed(QPainter& painter, QSize client, int nHotControl)
{
    using namespace sprite;
    QPoint image;
    switch (nHotControl) {
    case MC_MAXIMIZE: image = m_state.m_bMainMaximized ? kRestorePressed : kMaximizePressed; break;
    case MC_MINIMIZE: image = kMinimizePressed; break;
    case MC_CLOSE: image = kClosePressed; break;
    case MC_PLAYPAUSE: image = m_state.m_bPlaying ? kPausePressed : kPlayPressed; break;
    case MC_STOP: image = kStopPressed; break;
    case MC_LOAD: image = kLoadPressed; break;
    case MC_FAST: image = kFastPressed; break;
    case MC_SLOW: image = kSlowPressed; break;
    case MC_PREVIOUS: image = kPreviousPressed; break;
    case MC_NEXT: image = kNextPressed; break;
    case MC_FULLSCREEN: image = kFullScreenPressed; break;
    case MC_TOPMOST: image = m_state.m_bTopMost ? kTopMostOnPressed : kTopMostOffPressed; break;
    case MC_HIDE: image = kHidePressed; break;
    case MC_REPEAT: image = m_state.m_bRepeat ? kRepeatOnPressed : kRepeatOffPressed; break;
    case MC_MUTE: image = m_state.m_bMuted ? kMutedPressed : kNotMutedPressed; break;
    case MC_OPTIONS: image = kOptionsPressed; break;
    case MC_PLAYLIST: image = kPlaylistPressed; break;
    case MC_SHUFFLE: image = m_state.m_bShuffle ? kShuffleOnPressed : kShuffleOffPressed; break;
    default: return;  // the seek bar, the knob and the text areas have no pressed look
    }
    CopyAtControl(painter, image, client, nHotControl);
}

void CBitmapSkin::PaintPlaylist(QPainter& painter, int nHotControl, QRect rcClient)
{
    if (!m_sheet.IsLoaded())
        return;
    const QSize client = rcClient.size();
    const int w = client.width();
    const int h = client.height();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setLayoutDirection(Qt::LeftToRight);

    // Whatever the list drawing left outside the list area is covered, so
    // spilled rows never show between the pieces.
    QRect list;
    GetListArea(client, list);
    CoverOutside(painter, QRect(QPoint(0, 0), client), list);

    PaintPlaylistFrame(painter, w, h);

    if (m_state.m_bPlaylistMaximized)
        CopyAtPlaylistControl(painter, sprite::kRestoreNormal, client, PC_MAXIMIZE);
    if (!m_state.m_bPlaylistRepeat)
        CopyAtPlaylistControl(painter, sprite::kRepeatOffNormal, client, PC_REPEATLIST);

    const QString title = PlaylistTitle(m_state.m_nCurrent, InOwnDirection(m_state.m_strStatus));
    painter.setFont(m_font);
    painter.setPen(QColor::fromRgb(m_colours.title));
    painter.drawText(RectLTRB(12, 4, w - 128, 21), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);

    QRect thumb;
    GetPlaylistControlRect(client, PC_THUMB, thumb);
    m_sheet.Copy(painter, sprite::kThumbNormal, thumb.topLeft());
    if (!m_state.m_bShowFP)
        CopyAtPlaylistControl(painter, sprite::kNameModeNormal, client, PC_NAMEMODE);

    PaintPlaylistPressed(painter, client, nHotControl);
    painter.restore();
}

QString CBitmapSkin::PlaylistTitle(int nCurrent, const QString& strStatus)
{
    if (nCurrent < 0)
        return strStatus;
    return QStringLiteral("%1 : ").arg(nCurrent + 1) + strStatus;
}

void CBitmapSkin::PaintPlaylistFrame(QPainter& painter, int w, int h)
{
    using namespace sprite;
    m_sheet.Copy(painter, kListTopLeft, {0, 0});
    m_sheet.Copy(painter, kListBottomLeft, {0, h - 28});
    m_sheet.Copy(painter, kListTopRight, {w - 52, 0});
    m_sheet.Copy(painter, kListBottomRight, {w - 41, h - 29});
    m_sheet.Copy(painter, kListTitleEndA, {w - 54, 6});
    m_sheet.TileY(painter, kLeftEdgeTile, 0, 23, h - 29);
    m_sheet.TileY(painter, kRightEdgeTile, w - 6, 23, h - 29);
    m_sheet.TileX(painter, kTopEdgeTile, 25, w - 53, 0);
    m_sheet.TileX(painter, kBottomEdgeTile, 91, w - 42, h - 6);
    m_sheet.TileY(painter, kGroovePixel, w - 24, 26, h - 31);
    m_sheet.TileX(painter, kTitleBarTile, 25, w - 55, 6);
    m_sheet.Copy(painter, kListTitleEndB, {w - 128, 6});
    m_sheet.Copy(painter, kListButtonStrip, {91, h - 28});
    m_sheet.Copy(painter, kListCornerStud, {w - 52, h - 23});
    m_sheet.TileX(painter, kGroovePixel, 267, w - 53, h - 18);
}

void CBitmapSkin::PaintPlaylistPressed(QPainter& painter, QSize client, int nHotControl)
{
    using namespace sprite;
    QPoint image;
    switch (nHotControl) {
    case PC_CLOSE: image = kClosePressed; break;
    case PC_MAXIMIZE: image = m_state.m_bPlaylistMaximized ? kRestorePressed : kMaximizePressed; break;
    case PC_ADDFILES: image = kAddFilesPressed; break;
    case PC_ADDFOLDER: image = kAddFolderPressed; break;
    case PC_REMOVE: image = kRemovePressed; break;
    case PC_CLEAR: image = kClearPressed; break;
    case PC_LOAD: image = kListLoadPressed; break;
    case PC_SAVE: image = kListSavePressed; break;
    case PC_SORT: image = kListSortPressed; break;
    case PC_REPEATLIST: image = m_state.m_bPlaylistRepeat ? kRepeatOnPressed : kRepeatOffPressed; break;
    case PC_NAMEMODE: image = m_state.m_bShowFP ? kNameModeOnPressed : kNameModeOffPressed; break;
    case PC_MOVEUP: image = kMoveUpPressed; break;
    case PC_MOVEDOWN: image = kMoveDownPressed; break;
    case PC_THUMB: {
        QRect thumb;
        GetPlaylistControlRect(client, PC_THUMB, thumb);
        m_sheet.CopyAt(painter, kThumbPressed, thumb.adjusted(4, 7, -5, -7));
        return;
    }
    default: return;
    }
    CopyAtPlaylistControl(painter, image, client, nHotControl);
}
