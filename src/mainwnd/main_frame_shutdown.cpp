// SPDX-License-Identifier: GPL-3.0-or-later
// CMainFrame: the shutdown modes, the minutes countdown (timer 3) and the
// power action.
#include "mainwnd/main_frame.h"

#include "mainwnd/dlg_minute.h"
#include "mainwnd/player_context.h"
#include "settings/player_settings.h"
#include "platform/power_control.h"

#include <QWindow>

void CMainFrame::SetShutdownMode(int mode)
{
    m_shutdownTimer.stop();
    m_context.settings.m_nShutdownMode = mode;
}

void CMainFrame::ShowMinutesDialog()
{
    CDlgMinute dialog;
    // Without a parent, yet kept in front of the main window, also when
    // that one is always on top.
    dialog.winId();
    dialog.windowHandle()->setTransientParent(windowHandle());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Starting a running timer again replaces it: the countdown begins anew
    // from the full period. The timer repeats, so a refused power-off is
    // asked for again one period later.
    m_shutdownTimer.start(static_cast<int>(dialog.Minutes()) * m_nCountdownMinuteMs, this);
    m_context.settings.m_nShutdownMode = SHUTDOWN_MINUTES;
}

void CMainFrame::PowerOff()
{
    // Nothing is saved first: when the session ends the player receives
    // SIGTERM, which runs the orderly exit.
    CPowerControl::Get().PowerOff();
}
