// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QWidget>

struct CPlayerContext;

// The owner of the main and playlist windows. On Linux the main window is
// the taskbar entry, so the owner maps nothing itself: it is the object that
// hides, shows, minimises, restores and raises the group, keeps it above
// other windows, and holds the system menu with "Reset Window Position".
class CParentWnd : public QWidget {
    Q_OBJECT
public:
    // System commands of the owner's menu.
    enum SysCommand {
        SC_RESET_WINDOW_POSITION = 32,
        SC_MINIMIZE = 0xF020,
        SC_RESTORE = 0xF120,
        SC_CLOSE = 0xF060,
    };

    explicit CParentWnd(CPlayerContext& context);

    // Places the main window at (100, 100) with size 403 x 280 and the
    // playlist window at (502, 100) with size 318 x 100, shown.
    void ResetWindowPositions();
    // Restore, Minimize, Reset Window Position and Close, in the current
    // interface language; the chosen item goes to OnSysCommand.
    void ShowSystemMenu(const QPoint& globalPos);
    void OnSysCommand(int command);
    // Keeps the group above other windows, or not.
    void SetTopMost(bool topMost);

private:
    CPlayerContext& m_context;
};
