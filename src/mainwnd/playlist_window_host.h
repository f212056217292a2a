// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwnd/main_frame.h"
#include "playlistwnd/playlist_host.h"

#include <QObject>
#include <QPointer>

struct CPlayerContext;
class CPlaylistFrame;

// The main window's side of the playlist window: the current skin's layout
// and painting of it, the engine's playback of the chosen row and the main
// window's hot keys and the sort menu.
class CPlaylistWindowHost final : public QObject, public CPlaylistHost {
public:
    // Owned by `playlistWindow`.
    CPlaylistWindowHost(CMainFrame& mainFrame, CPlayerContext& context, CPlaylistFrame* playlistWindow);

    QRect ListArea(QSize client) override;
    QRect ControlRect(QSize client, int id) override;
    int HitTest(QSize client, QPoint point) override;
    QSize MinimumSize() override;
    void PaintFrame(QPainter& painter, int pressed, QRect client) override;
    void ApplyRegion(QWidget& window) override;
    QRect MainWindowRect() override;
    bool IsFullScreen() override;
    void PlayRow(int row) override;
    bool OnHotKeyRelease(HotKeyCode code) override;
    PlaylistSort ChooseSort(QPoint at, QWidget* owner) override;

private:
    CSkin* Skin() const;
    // The skin, with the state it draws brought up to date first: for
    // painting and for laying out the scroll thumb.
    CSkin* SkinWithState() const;

    // The main window may go first at exit.
    QPointer<CMainFrame> m_pMainFrame;
    CPlayerContext& m_context;
};
