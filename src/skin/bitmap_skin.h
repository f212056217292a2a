// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skin/skin.h"
#include "skin/skin_catalog.h"
#include "skin/sprite_sheet.h"

#include <QFont>
#include <QString>

struct CSkinStateRecord;

// A bitmap skin ("Metal Red", "Blue Curve" or one the user installed): both
// windows drawn from one sprite sheet and laid out at fixed offsets from
// their edges. Every bitmap skin shares the layout; only the sheet and the
// text colours differ.
class CBitmapSkin : public CSkin {
public:
    static constexpr int kVolumeRange = 59;

    // `state` is what the skin draws; its owner keeps it up to date.
    // "Metal Red".
    explicit CBitmapSkin(CSkinStateRecord& state);
    CBitmapSkin(CSkinStateRecord& state, const CBuiltInSkin& skin);
    // Draws from `sheetPath` (any format Qt reads). A missing or unreadable
    // sheet leaves layout, regions and hit-testing working and paints nothing.
    CBitmapSkin(CSkinStateRecord& state, const QString& sheetPath, CSkinTextColours colours = {});
    CBitmapSkin(CSkinStateRecord& state, const QImage& sheet, CSkinTextColours colours = {});

    bool HasSpriteSheet() const { return m_sheet.IsLoaded(); }

    // The playlist window's title: "%d : " with the current entry's number,
    // then the status text; the status text alone with no current entry.
    static QString PlaylistTitle(int nCurrent, const QString& strStatus);

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

private:
    void InitFont();
    // The knob's distance from the loud end, kept on the bar.
    int VolumeLevel() const;
    void PaintMainFrame(QPainter& painter, int w, int h);
    void PaintMainPanel(QPainter& painter, int w, int h);
    void PaintMainStates(QPainter& painter, QSize client);
    void PaintMainPressed(QPainter& painter, QSize client, int nHotControl);
    void PaintPlaylistFrame(QPainter& painter, int w, int h);
    void PaintPlaylistPressed(QPainter& painter, QSize client, int nHotControl);
    void CopyAtControl(QPainter& painter, QPoint image, QSize client, int id);
    void CopyAtPlaylistControl(QPainter& painter, QPoint image, QSize client, int id);

    CSkinStateRecord& m_state;
    CSpriteSheet m_sheet;
    CSkinTextColours m_colours;
    QFont m_font;
};
