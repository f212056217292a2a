// SPDX-License-Identifier: GPL-3.0-or-later
// CMainFrame: mouse, wheel, keyboard, dropped files, the sizing border and
// the tool tips.
#include "mainwnd/main_frame.h"

#include "mainwnd/command_table.h"
#include "mainwnd/control_rules.h"
#include "settings/localized_strings.h"
#include "engine/media_engine.h"
#include "mainwnd/parent_wnd.h"
#include "platform/path_codec.h"
#include "mainwnd/player_context.h"
#include "settings/player_settings.h"
#include "platform/resize_band.h"
#include "skin/skin.h"
#include "skin/skin_ids.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolTip>

#include <cstdlib>

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
    case Qt::MiddleButton: setFocus(Qt::MouseFocusReason); break;
    default: break;
    }
    QWidget::mousePressEvent(event);
}

bool CMainFrame::StartBorderResize(const QPoint& point)
{
    if (isMaximized() || m_context.engine->IsFullScreen())
        return false;
    return m_borderResize.Start(*this, point);
}

void CMainFrame::LeftButtonDown(const QPoint& point)
{
    const int hit = HitTest(point);
    if (IsButtonControl(hit)) {
        m_nHotControl = m_nCapturedControl = hit;
        RedrawControl(hit);
    } else {
        m_drag.Start(mapToGlobal(point), pos());
    }
}

void CMainFrame::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool leftDown = event->buttons().testFlag(Qt::LeftButton);
    if (m_borderResize.Move(*this, event->globalPosition().toPoint(), leftDown))
        return;
    if (!event->buttons()) {
        const bool sizable = !isMaximized() && !m_context.engine->IsFullScreen();
        setCursor(CursorForHit(sizable ? BorderHitTest(rect(), point) : HT_NOWHERE));
    }

    if (m_drag.IsActive() && leftDown) {
        if (isMaximized() || m_context.engine->IsFullScreen())
            return;
        move(m_drag.WindowPos(event->globalPosition().toPoint()));
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
        if (m_borderResize.End())
            return;
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
    if (acts) {
        if (control == MC_SEEK)
            SeekTo(point);
        else
            RunRow(FindCommandByControl(control));
        if (m_bDestroyed)
            return;
    }
    m_drag.End();
    RedrawControl(m_nCapturedControl);
    m_nHotControl = m_nCapturedControl = 0;
}

void CMainFrame::SeekTo(const QPoint& point)
{
    if (!Engine().IsLoaded())
        return;
    const QRect bar = ControlRect(MC_SEEK);
    Engine().Seek(point.x() - bar.left(), bar.width());
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
    // One volume step a notch, as far as the volume goes.
    const int notches = m_wheel.Add(event->angleDelta().y());
    for (int i = 0; i < std::abs(notches); ++i) {
        const int before = m_context.engine->GetVolume();
        StepVolume(notches > 0);
        if (m_context.engine->GetVolume() == before)
            break;
    }
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
    if (!OnHotKey(HotKeyFromEvent(*event), KeyPhase::Press))
        QWidget::keyPressEvent(event);
}

void CMainFrame::keyReleaseEvent(QKeyEvent* event)
{
    // The window system repeats a held key as release and press pairs; only
    // the real release counts.
    if (event->isAutoRepeat() || IsModifierKey(event->key())) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (!OnHotKey(HotKeyFromEvent(*event), KeyPhase::Release))
        QWidget::keyReleaseEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalPathsOfUrls(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalPathsOfUrls(event->mimeData()->urls());
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
    // A step while muted makes the sound audible: the mute mark goes.
    RedrawControl(MC_MUTE);
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
