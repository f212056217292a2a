// CMainFrame: mouse, wheel, keyboard, dropped files, the sizing border and
// the tool tips.
#include "main_frame.h"

#include "command_ids.h"
#include "control_rules.h"
#include "copy_data.h"
#include "hot_key_dispatch.h"
#include "localized_strings.h"
#include "media_engine.h"
#include "parent_wnd.h"
#include "player_context.h"
#include "player_settings.h"
#include "resize_band.h"
#include "skin.h"
#include "skin_ids.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolTip>
#include <QWindow>

namespace {

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr;
}

}  // namespace

void CMainFrame::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    switch (event->button()) {
    case Qt::LeftButton:
        if (m_context.engine->IsFullScreen())
            break;
        if (StartBorderResize(point))
            return;
        LeftButtonDown(point);
        break;
    case Qt::MiddleButton:
        setFocus(Qt::MouseFocusReason);
        break;
    default:
        break;
    }
    QWidget::mousePressEvent(event);
}

bool CMainFrame::StartBorderResize(const QPoint& point)
{
    if (isMaximized() || m_context.engine->IsFullScreen())
        return false;
    const BorderHit hit = BorderHitTest(rect(), point);
    if (hit == HT_NOWHERE)
        return false;
    const Qt::Edges edges = EdgesForHit(hit);
    // The window manager sizes the window where it can; elsewhere (no window
    // manager, or one without the protocol) the window sizes itself.
    if (windowHandle() && windowHandle()->startSystemResize(edges))
        return true;
    m_resizeEdges = edges;
    m_ptResizeStart = mapToGlobal(point);
    m_rcResizeStart = geometry();
    return true;
}

void CMainFrame::LeftButtonDown(const QPoint& point)
{
    const int hit = HitTest(point);
    if (IsButtonControl(hit)) {
        m_nHotControl = m_nCapturedControl = hit;
        RedrawControl(hit);
    } else {
        m_bDragging = true;
        m_ptDragAnchor = point;
    }
}

void CMainFrame::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool leftDown = event->buttons().testFlag(Qt::LeftButton);
    if (m_resizeEdges) {
        if (leftDown) {
            const QPoint delta = mapToGlobal(point) - m_ptResizeStart;
            setGeometry(ResizedRect(m_rcResizeStart, m_resizeEdges, delta, minimumSize()));
            return;
        }
        m_resizeEdges = {};
    }
    if (!event->buttons()) {
        const bool sizable = !isMaximized() && !m_context.engine->IsFullScreen();
        setCursor(CursorForHit(sizable ? BorderHitTest(rect(), point) : HT_NOWHERE));
    }

    if (m_bDragging && leftDown) {
        if (isMaximized() || m_context.engine->IsFullScreen())
            return;
        QPoint delta;
        if (point.x() != 0 && point.y() != 0)
            delta = point - m_ptDragAnchor;
        move(pos() + delta);
        show();
    }
    if (m_nHotControl == MC_VOLUME) {
        RedrawControl(MC_VOLUME);
        m_context.engine->SetVolumeFromBar(point.x() - m_pSkin->GetVolumeOrigin(size()) + 6,
                                           m_pSkin->GetVolumeRange());
        RedrawControl(MC_VOLUMEBAR);
        RedrawControl(MC_VOLUME);
    }
    if (leftDown) {
        const int hit = HitTest(point);
        if (hit == m_nCapturedControl && m_nHotControl != m_nCapturedControl) {
            m_nHotControl = m_nCapturedControl;
            RedrawControl(m_nHotControl);
        } else if (hit != m_nCapturedControl && m_nHotControl != 0) {
            m_nHotControl = 0;
            RedrawControl(m_nCapturedControl);
        }
    }
    QWidget::mouseMoveEvent(event);
}

void CMainFrame::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (m_resizeEdges) {
            m_resizeEdges = {};
            return;
        }
        LeftButtonUp(point);
    } else if (event->button() == Qt::RightButton) {
        RightButtonUp(point, event->globalPosition().toPoint());
    }
    QWidget::mouseReleaseEvent(event);
}

void CMainFrame::LeftButtonUp(const QPoint& point)
{
    const int control = m_nHotControl;
    const bool acts = control != 0 && (!NeedsReleaseOnControl(control) || HitTest(point) == control);
    if (acts && control == MC_CLOSE) {
        ExitAction();
        return;
    }
    if (acts)
        ReleaseAction(control, point);
    m_bDragging = false;
    RedrawControl(m_nCapturedControl);
    m_nHotControl = m_nCapturedControl = 0;
}

void CMainFrame::ReleaseAction(int control, const QPoint& point)
{
    CMediaEngine& engine = *m_context.engine;
    switch (control) {
    case MC_MAXIMIZE:
        ToggleMaximized();
        break;
    case MC_MINIMIZE:
        MinimizeGroup();
        break;
    case MC_PLAYPAUSE:
        if (!engine.IsLoaded())
            PlayAction();
        else if (engine.IsRateChanged())
            engine.SetRate(1.0);
        else if (engine.IsPlaying())
            PauseResumeAction();
        else
            PlayAction();
        break;
    case MC_STOP:
        StopOrCloseAction();
        RedrawControl(MC_PLAYPAUSE);
        break;
    case MC_LOAD:
        OpenClipAction();
        break;
    case MC_SEEK:
        if (engine.IsLoaded()) {
            const QRect bar = ControlRect(MC_SEEK);
            engine.Seek(point.x() - bar.left(), bar.width());
        }
        break;
    case MC_FULLSCREEN:
        ToggleFullScreenCommand();
        break;
    case MC_FAST:
    case MC_SLOW:
        if (engine.IsPlaying())
            engine.ChangeRate(control == MC_FAST ? +0.1 : -0.1);
        RedrawControl(MC_PLAYPAUSE);
        break;
    case MC_TOPMOST:
        ToggleAlwaysOnTop();
        break;
    case MC_HIDE:
        HideGroup();
        break;
    case MC_REPEAT:
        engine.ToggleRepeat();
        break;
    case MC_MUTE:
        engine.ToggleMute();
        break;
    case MC_OPTIONS:
        ShowPreferences();
        break;
    case MC_PLAYLIST:
        TogglePlaylistWindow();
        break;
    case MC_PREVIOUS:
        StepTrackAction(false);
        break;
    case MC_NEXT:
        StepTrackAction(true);
        break;
    case MC_SHUFFLE:
        ToggleShuffle();
        break;
    default:
        break;
    }
}

void CMainFrame::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    CMediaEngine& engine = *m_context.engine;
    const QPoint point = event->position().toPoint();
    if (engine.IsFullScreen()) {
        engine.ToggleFullScreen();
        return;
    }
    if (ControlRect(MC_TITLE).contains(point)) {
        ToggleMaximized();
        return;
    }
    if (GetVideoArea().contains(point)) {
        if (!engine.IsLoaded())
            PlayAction();
        else
            engine.ToggleFullScreen();
        return;
    }
    LeftButtonDown(point);
    LeftButtonUp(point);
    QWidget::mouseDoubleClickEvent(event);
}

void CMainFrame::RightButtonUp(const QPoint& point, const QPoint& globalPos)
{
    // In full screen the point lies on the video window, not on the skin.
    if (!m_context.engine->IsFullScreen() && !RightClickOpensMenu(HitTest(point)))
        return;
    ShowContextMenu(globalPos);
}

void CMainFrame::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0)
        StepVolume(delta > 0);
    QWidget::wheelEvent(event);
}

void CMainFrame::keyPressEvent(QKeyEvent* event)
{
    if (IsModifierKey(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::AltModifier) {
        m_context.owner->ShowSystemMenu(geometry().topLeft());
        return;
    }
    CMediaEngine& engine = *m_context.engine;
    const HotKeyAction action = KeyDownHotKey(HotKeyFromEvent(*event), m_context.settings->m_hotKeys);
    switch (action) {
    case HOTKEY_INCVOL:
    case HOTKEY_DECVOL:
        StepVolume(action == HOTKEY_INCVOL);
        break;
    case HOTKEY_HIDE:
        if (engine.IsFullScreen())
            engine.ToggleFullScreen();
        else
            ShowHideAction();
        break;
    default:
        QWidget::keyPressEvent(event);
        break;
    }
}

void CMainFrame::keyReleaseEvent(QKeyEvent* event)
{
    // The window system repeats a held key as release and press pairs; only
    // the real release counts.
    if (event->isAutoRepeat() || IsModifierKey(event->key())) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    CMediaEngine& engine = *m_context.engine;
    switch (KeyUpHotKey(HotKeyFromEvent(*event), m_context.settings->m_hotKeys)) {
    case HOTKEY_DECPBRATE:
        OnCommand(ID_RATE_DECREASE);
        break;
    case HOTKEY_FULLSCREEN:
        OnCommand(ID_FULL_SCREEN);
        break;
    case HOTKEY_INCPBRATE:
        OnCommand(ID_RATE_INCREASE);
        break;
    case HOTKEY_LOADUNLOAD:
        OpenClipAction();
        break;
    case HOTKEY_MUTE:
        OnCommand(ID_MUTE);
        break;
    case HOTKEY_PAUSERESUME:
        PauseResumeAction();
        break;
    case HOTKEY_PLAY:
        PlayAction();
        break;
    case HOTKEY_REPEAT:
        OnCommand(ID_REPEAT);
        break;
    case HOTKEY_REPLAYMEDIA:
        ReplayAction();
        break;
    case HOTKEY_STOP:
        StopOrCloseAction();
        break;
    case HOTKEY_ZOOMIN:
        engine.StepZoom(true);
        break;
    case HOTKEY_ZOOMOUT:
        engine.StepZoom(false);
        break;
    case HOTKEY_ZOOMTO:
        OnCommand(ID_ZOOM_NORMAL);
        break;
    case HOTKEY_SWITCHSKIN:
        ToggleSkinOff();
        break;
    case HOTKEY_ALWAYSONTOP:
        ToggleAlwaysOnTop();
        break;
    default:
        QWidget::keyReleaseEvent(event);
        break;
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile().left(MAX_PATH_CHARS - 1);
    }
    if (paths.isEmpty())
        return;
    PlayNewList(paths);
    event->acceptProposedAction();
}

void CMainFrame::StepVolume(bool louder)
{
    // The knob moves: its old and new places are both redrawn.
    RedrawControl(MC_VOLUME);
    m_context.engine->StepVolume(louder);
    RedrawControl(MC_VOLUMEBAR);
    RedrawControl(MC_VOLUME);
}

bool CMainFrame::ShowToolTip(QHelpEvent* event)
{
    const int id = m_context.engine->IsFullScreen() ? 0 : HitTest(event->pos());
    const int stringId = ToolTipStringId(id);
    if (stringId == 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    m_strTipText = LoadLocalizedString(stringId);
    QToolTip::showText(event->globalPos(), m_strTipText, this, ControlRect(id));
    return true;
}
