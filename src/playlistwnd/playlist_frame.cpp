// SPDX-License-Identifier: GPL-3.0-or-later
// CPlaylistFrame: creation, painting, sizing, docking, tool tips and
// dropped files.
#include "playlistwnd/playlist_frame.h"

#include "settings/localized_strings.h"
#include "platform/path_codec.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "skin/playlist_control_ids.h"
#include "playlistwnd/playlist_docking.h"
#include "playlistwnd/playlist_frame_accessible.h"
#include "playlistwnd/playlist_host.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

// The tool-tip string of each button; the thumb and the title have none.
int PlaylistToolTipStringId(int control)
{
    switch (control) {
    case PC_CLOSE: return IDS_TIP_CLOSE;
    case PC_ADDFILES: return IDS_TIP_ADD_FILES;
    case PC_ADDFOLDER: return IDS_TIP_ADD_FOLDER;
    case PC_REMOVE: return IDS_TIP_REMOVE;
    case PC_CLEAR: return IDS_TIP_CLEAR;
    case PC_SORT: return IDS_TIP_SORT;
    case PC_SAVE: return IDS_TIP_SAVE_LIST;
    case PC_LOAD: return IDS_TIP_LOAD_LIST;
    case PC_MAXIMIZE: return IDS_TIP_MAXIMIZE;
    case PC_REPEATLIST: return IDS_TIP_REPEAT_LIST;
    case PC_NAMEMODE: return IDS_TIP_NAME_MODE;
    case PC_MOVEUP: return IDS_TIP_MOVE_UP;
    case PC_MOVEDOWN: return IDS_TIP_MOVE_DOWN;
    default: return 0;
    }
}

CPlaylistFrame::CPlaylistFrame(CPlaylist& playlist, CPlayerSettings& settings, QWidget* mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), m_playlist(playlist), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Playlist"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    // Belongs to the main window without being its child widget, so the
    // two are deleted separately; as a tool window it has no taskbar entry.
    mainWindow->winId();
    winId();
    windowHandle()->setTransientParent(mainWindow->windowHandle());
}

void CPlaylistFrame::SetHost(CPlaylistHost* host)
{
    m_pHost = host;
    ApplySkinShape();
    update();
}

QRect CPlaylistFrame::ListArea() const { return m_pHost ? m_pHost->ListArea(size()) : QRect(); }

QRect CPlaylistFrame::ControlRect(int id) const { return m_pHost ? m_pHost->ControlRect(size(), id) : QRect(); }

bool CPlaylistFrame::IsFullScreen() const { return m_pHost && m_pHost->IsFullScreen(); }

int CPlaylistFrame::ListRows() const { return ListArea().height() / CPlaylistRowPainter::kRowHeight + 1; }

void CPlaylistFrame::RedrawControl(int id)
{
    const QRect rc = ControlRect(id);
    if (!rc.isEmpty())
        update(rc);
    emit stateChanged();
}

void CPlaylistFrame::RedrawSelection()
{
    update(ListArea().united(ControlRect(PC_THUMB)));
    NotifyPlaylistRowsChanged(this);
}

void CPlaylistFrame::PressControl(int id)
{
    RunButton(id);
    update();
    emit stateChanged();
}

void CPlaylistFrame::ActivateRow(int row)
{
    if (!m_playlist.IsValidIndex(row))
        return;
    m_playlist.m_nSelected = row;
    RedrawSelection();
    PlaySelectedRow();
}

// Painting. Qt's backing store is the off-screen buffer: everything below
// reaches the screen in one piece.

void CPlaylistFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintWindow(painter);
}

void CPlaylistFrame::PaintWindow(QPainter& painter)
{
    if (!m_pHost) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const QRect list = ListArea();
    painter.fillRect(list, Qt::black);
    m_rowPainter.Paint(painter, list, m_playlist, m_settings.ShowFP != 0);
    m_pHost->PaintFrame(painter, m_nPressed, rect());
}

// Sizing and docking.

void CPlaylistFrame::ApplySkinShape()
{
    if (!m_pHost)
        return;
    setMinimumSize(m_pHost->MinimumSize());
    m_pHost->ApplyRegion(*this);
}

void CPlaylistFrame::showEvent(QShowEvent* event)
{
    ApplySkinShape();
    QWidget::showEvent(event);
}

void CPlaylistFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_pHost && !m_bMaximized)
        SnapMove(QPoint());
    ApplySkinShape();
    update();
}

void CPlaylistFrame::SnapMove(const QPoint& offset)
{
    if (!m_pHost)
        return;
    CDockState dock{m_settings.Docked, m_settings.DockedSide, m_settings.Distance};
    const QPoint at = SnapToMainWindow(geometry().translated(offset), m_pHost->MainWindowRect(), dock);
    m_settings.Docked = dock.Docked;
    m_settings.DockedSide = dock.DockedSide;
    m_settings.Distance = dock.Distance;
    if (at != pos())
        move(at);
}

void CPlaylistFrame::FollowMainWindow()
{
    if (!m_pHost || m_bMaximized)
        return;
    const CDockState dock{m_settings.Docked, m_settings.DockedSide, m_settings.Distance};
    const auto at = ::FollowMainWindow(m_pHost->MainWindowRect(), size(), dock);
    if (at && *at != pos())
        move(*at);
}

void CPlaylistFrame::ToggleMaximized()
{
    // The geometry is set by hand, so that the window fills the desktop's
    // work area and comes back to where it was, with or without a window
    // manager.
    if (m_bMaximized) {
        m_bMaximized = false;
        setGeometry(m_rcNormal);
    } else {
        m_rcNormal = geometry();
        m_bMaximized = true;
        if (QScreen* screen = this->screen())
            setGeometry(screen->availableGeometry());
    }
}

// However the window goes (the close button, a window manager's close, or
// the main window's hide or minimise), a release it will never see must not
// leave a press or a drag behind. A window manager's close (Alt+F4) leaves
// "PLShow" as it was; the close button also clears it.
void CPlaylistFrame::hideEvent(QHideEvent* event)
{
    m_nPressed = m_nArmed = 0;
    m_drag.End();
    m_borderResize.End();
    QWidget::hideEvent(event);
}

// The title's row count is kept as text with the rows; it follows a new
// interface language.
void CPlaylistFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_playlist.UpdateStatus();
        update();
    }
    QWidget::changeEvent(event);
}

// Tool tips.

bool CPlaylistFrame::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        return ShowToolTip(static_cast<QHelpEvent*>(event));
    return QWidget::event(event);
}

bool CPlaylistFrame::ShowToolTip(QHelpEvent* event)
{
    const int id = IsFullScreen() || !m_pHost ? 0 : m_pHost->HitTest(size(), event->pos());
    const int stringId = PlaylistToolTipStringId(id);
    if (stringId == 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(event->globalPos(), LoadLocalizedString(stringId), this, ControlRect(id));
    return true;
}

// Files and folders dropped from a file manager are appended; playback is
// left alone.

void CPlaylistFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalPathsOfUrls(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void CPlaylistFrame::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalPathsOfUrls(event->mimeData()->urls());
    if (paths.isEmpty())
        return;
    for (const QString& path : paths)
        m_playlist.AddFileByPath(path);
    event->acceptProposedAction();
    update();
}
