// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/border_resize.h"
#include "platform/wheel_notches.h"
#include "platform/window_drag.h"
#include "playlistwnd/playlist_host.h"
#include "playlistwnd/playlist_row_painter.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

class CPlaylist;
class CPlayerSettings;
class QHelpEvent;

// String id of a playlist-window control's tool tip, 0 for none.
int PlaylistToolTipStringId(int control);

// The playlist window: a frameless tool window that belongs to the main
// window. The skin draws its frame and buttons; the window draws the rows
// and handles all input. Dragged near the main window it snaps to it, and
// while docked it follows the main window's moves.
class CPlaylistFrame : public QWidget {
    Q_OBJECT
public:
    CPlaylistFrame(CPlaylist& playlist, CPlayerSettings& settings, QWidget* mainWindow);

    // The main window, once it exists; not owned.
    void SetHost(CPlaylistHost* host);

    // Moves a docked playlist window along with the main window; runs on
    // every move and resize of the main window.
    void FollowMainWindow();

    // Paints the whole window (list area, rows, then the skin on top).
    void PaintWindow(QPainter& painter);

    // Maximised by its button: filling the desktop's work area.
    bool IsMaximized() const { return m_bMaximized; }
    // Where the window goes back to when restored; its geometry while normal.
    QRect NormalGeometry() const { return m_bMaximized ? m_rcNormal : geometry(); }

    int PressedControl() const { return m_nPressed; }
    bool IsDragging() const { return m_drag.IsActive(); }
    // The rows the list area shows, a partly visible last one included.
    int ListRows() const;
    QRect ListArea() const;
    QRect ControlRect(int id) const;
    // What releasing the mouse over a button runs, and what Return does on
    // a row: for assistive technology.
    void PressControl(int id);
    void ActivateRow(int row);
    CPlaylist& Playlist() const { return m_playlist; }
    const CPlayerSettings& Settings() const { return m_settings; }

signals:
    // A button was redrawn or pressed: a mode it shows may have changed.
    void stateChanged();

protected:
    using SortOrder = PlaylistSort;
    // Shows the sort menu at a screen point and returns the choice.
    virtual SortOrder ChooseSortOrder(QPoint at);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool IsFullScreen() const;
    void ApplySkinShape();

    void LeftButtonDown(const QPoint& point);
    void LeftButtonUp(const QPoint& point);
    bool StartBorderResize(const QPoint& point);
    void DragThumb(int y);
    void RunButton(int id);
    void ShowSortMenu();
    void PlaySelectedRow();
    void ToggleMaximized();
    // Moves the window by `offset` and lets it snap to the main window.
    void SnapMove(const QPoint& offset);
    void RedrawControl(int id);
    void RedrawSelection();
    bool ShowToolTip(QHelpEvent* event);

    CPlaylist& m_playlist;
    CPlayerSettings& m_settings;
    CPlaylistHost* m_pHost = nullptr;
    CPlaylistRowPainter m_rowPainter;

    // Three exclusive mouse modes: a pressed control (armed, and shown
    // pressed while the pointer stays on it), a window drag, or idle.
    int m_nPressed = 0;
    int m_nArmed = 0;
    CWindowDrag m_drag;

    CBorderResize m_borderResize;
    CWheelNotches m_wheel;
    // Kept here rather than in the window state: a window manager may refuse
    // to maximise a frameless tool window and report it as normal, and the
    // full-screen size would then be taken for the normal one.
    bool m_bMaximized = false;
    // Where a maximised window goes back to.
    QRect m_rcNormal;
};
