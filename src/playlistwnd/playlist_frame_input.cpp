// SPDX-License-Identifier: GPL-3.0-or-later
// CPlaylistFrame: mouse, wheel, keyboard, the buttons and the sort menu.
#include "playlistwnd/playlist_frame.h"

#include "playlistwnd/folder_browse.h"
#include "settings/hot_keys.h"
#include "playlistwnd/pl_file_dialog.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "skin/playlist_control_ids.h"
#include "playlistwnd/playlist_host.h"
#include "platform/resize_band.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::uint32_t VK_RETURN = 13;
constexpr std::uint32_t VK_DELETE = 46;
// The separate arrow keys; the keypad's arrows lack the extended flag.
constexpr HotKeyCode kArrowUp = MakeHotKey(HOTKEYF_EXT, 0x26);
constexpr HotKeyCode kArrowDown = MakeHotKey(HOTKEYF_EXT, 0x28);

// The scroll thumb is 34 pixels high; the pointer holds it at its middle.
constexpr int kThumbHeight = 34;

// Where the sort menu opens, from the window's bottom-left corner: beside
// the sort button.
constexpr QPoint kSortMenuOffset(241, -7);

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr;
}

bool IsPressable(int control)
{
    return (control >= PC_CLOSE && control <= PC_THUMB && control != 1001) || control == PC_NAMEMODE ||
           control == PC_MOVEUP || control == PC_MOVEDOWN;
}

// These act on any release after the press, wherever the pointer is then.
bool ActsOnAnyRelease(int control) { return control == PC_SORT || control == PC_SAVE || control == PC_LOAD; }

}  // namespace

void CPlaylistFrame::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !IsFullScreen()) {
        const QPoint point = event->position().toPoint();
        if (StartBorderResize(point))
            return;
        LeftButtonDown(point);
    }
    QWidget::mousePressEvent(event);
}

bool CPlaylistFrame::StartBorderResize(const QPoint& point)
{
    if (m_bMaximized)
        return false;
    return m_borderResize.Start(*this, point);
}

void CPlaylistFrame::LeftButtonDown(const QPoint& point)
{
    if (!m_pHost || IsFullScreen())
        return;
    const int hit = m_pHost->HitTest(size(), point);
    if (IsPressable(hit)) {
        m_nPressed = m_nArmed = hit;
        RedrawControl(hit);
        return;
    }
    const int row = CPlaylistRowPainter::RowAt(ListArea(), m_playlist, point);
    if (row >= 0) {
        m_playlist.m_nSelected = row;
        update(ListArea());
        return;
    }
    m_drag.Start(mapToGlobal(point), pos());
}

void CPlaylistFrame::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool leftDown = event->buttons().testFlag(Qt::LeftButton);
    if (m_borderResize.Move(*this, event->globalPosition().toPoint(), leftDown))
        return;
    if (!event->buttons())
        setCursor(CursorForHit(m_bMaximized || IsFullScreen() ? HT_NOWHERE : BorderHitTest(rect(), point)));

    if (m_drag.IsActive() && leftDown) {
        if (!m_bMaximized && !IsFullScreen()) {
            // A pointer on the window's first column or row counts as no
            // offset.
            const QPoint offset = m_drag.WindowPos(event->globalPosition().toPoint()) - pos();
            SnapMove(point.x() != 0 && point.y() != 0 ? offset : QPoint());
        }
    } else if (m_nPressed == PC_THUMB && leftDown) {
        DragThumb(point.y());
    } else if (leftDown && m_pHost && m_nArmed != 0) {
        const int hit = m_pHost->HitTest(size(), point);
        if (hit == m_nArmed && m_nPressed != m_nArmed) {
            m_nPressed = m_nArmed;
            RedrawControl(m_nPressed);
        } else if (hit != m_nArmed && m_nPressed != 0) {
            m_nPressed = 0;
            RedrawControl(m_nArmed);
        }
    }
    QWidget::mouseMoveEvent(event);
}

void CPlaylistFrame::DragThumb(int y)
{
    const QRect list = ListArea();
    const int track = list.height() - kThumbHeight;
    const int count = m_playlist.GetCount();
    if (count == 0 || track <= 0)
        return;
    const int offset = std::clamp(y - list.top() - kThumbHeight / 2, 0, track);
    // At the bottom of the track the last row is at the top of the list.
    const int top = std::clamp(static_cast<int>(static_cast<qint64>(offset) * count / track), 0, count - 1);
    if (top == m_playlist.m_nTop)
        return;
    m_playlist.m_nTop = top;
    update(list.adjusted(0, 0, 18, 11));
}

void CPlaylistFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (m_borderResize.End())
            return;
        LeftButtonUp(event->position().toPoint());
    }
    QWidget::mouseReleaseEvent(event);
}

void CPlaylistFrame::LeftButtonUp(const QPoint& point)
{
    const int armed = m_nArmed;
    if (armed != 0 && m_pHost && (ActsOnAnyRelease(armed) || m_pHost->HitTest(size(), point) == armed))
        RunButton(armed);
    m_drag.End();
    QRect dirty = ListArea().united(ControlRect(PC_THUMB)).united(ControlRect(PC_TITLE));
    if (armed != 0)
        dirty = dirty.united(ControlRect(armed));
    update(dirty);
    m_nPressed = m_nArmed = 0;
    if (armed != 0)
        emit stateChanged();
}

void CPlaylistFrame::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const int row = CPlaylistRowPainter::RowAt(ListArea(), m_playlist, point);
    if (row >= 0) {
        m_playlist.m_nSelected = row;
        PlaySelectedRow();
    }
    // A double-click on a button is a second press of it.
    LeftButtonDown(point);
    LeftButtonUp(point);
}

void CPlaylistFrame::PlaySelectedRow()
{
    if (!m_pHost || !m_playlist.IsValidIndex(m_playlist.m_nSelected))
        return;
    m_pHost->PlayRow(m_playlist.m_nSelected);
    update(ListArea());
}

void CPlaylistFrame::wheelEvent(QWheelEvent* event)
{
    // Three rows a notch; a notch that moves nothing ends a long turn early.
    const int notches = m_wheel.Add(event->angleDelta().y());
    for (int i = 0; i < std::abs(notches); ++i) {
        const int before = m_playlist.m_nSelected;
        if (notches > 0)
            m_playlist.SelectUp(3);
        else
            m_playlist.SelectDown(3, ListRows());
        if (m_playlist.m_nSelected == before)
            break;
    }
    if (notches != 0)
        RedrawSelection();
    QWidget::wheelEvent(event);
}

void CPlaylistFrame::keyPressEvent(QKeyEvent* event)
{
    if (IsModifierKey(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    const HotKeyCode code = HotKeyFromEvent(*event);
    if (code == kArrowUp) {
        m_playlist.SelectUp(1);
        RedrawSelection();
    } else if (code == kArrowDown) {
        m_playlist.SelectDown(1, ListRows());
        RedrawSelection();
    } else if (HotKeyVirtualKey(code) == VK_DELETE) {
        m_playlist.RemoveSelected();
        update(ListArea().adjusted(0, -20, 18, 11));
    } else if (HotKeyVirtualKey(code) == VK_RETURN) {
        PlaySelectedRow();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void CPlaylistFrame::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats as release and press pairs; only the real release
    // counts.
    if (event->isAutoRepeat() || IsModifierKey(event->key()) || !m_pHost ||
        !m_pHost->OnHotKeyRelease(HotKeyFromEvent(*event)))
        QWidget::keyReleaseEvent(event);
}

// The buttons.

void CPlaylistFrame::RunButton(int id)
{
    switch (id) {
    case PC_CLOSE:
        hide();
        m_settings.PLShow = 0;
        break;
    case PC_ADDFILES: {
        CPLFileDialog dialog(m_playlist);
        dialog.DoModal(this);
        break;
    }
    case PC_ADDFOLDER: AddFolderFromBrowser(m_playlist, this); break;
    case PC_REMOVE: m_playlist.RemoveSelected(); break;
    case PC_CLEAR: m_playlist.Clear(); break;
    case PC_SORT: ShowSortMenu(); break;
    case PC_SAVE: m_playlist.SaveList(true, this); break;
    case PC_LOAD: m_playlist.LoadList(true, this); break;
    case PC_MAXIMIZE: ToggleMaximized(); break;
    case PC_REPEATLIST: m_settings.PlaylistRepeat = !m_settings.PlaylistRepeat; break;
    case PC_NAMEMODE: m_settings.ShowFP = !m_settings.ShowFP; break;
    case PC_MOVEUP:
        m_playlist.MoveSelectedUp();
        RedrawSelection();
        break;
    case PC_MOVEDOWN:
        m_playlist.MoveSelectedDown(ListRows());
        RedrawSelection();
        break;
    default: break;
    }
}

void CPlaylistFrame::ShowSortMenu()
{
    const QRect window = geometry();
    switch (ChooseSortOrder(QPoint(window.left(), window.top() + window.height()) + kSortMenuOffset)) {
    case SortOrder::ByName: m_playlist.SortByName(); break;
    case SortOrder::ByFolder: m_playlist.SortByFolder(); break;
    case SortOrder::None: return;
    }
    update();
}

CPlaylistFrame::SortOrder CPlaylistFrame::ChooseSortOrder(QPoint at)
{
    if (!m_pHost)
        return SortOrder::None;
    raise();
    activateWindow();
    return m_pHost->ChooseSort(at, this);
}
