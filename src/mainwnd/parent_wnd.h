#pragma once

#include <QWidget>

struct CPlayerContext;

// The owner of the main and playlist windows. On Linux the main window is
// the taskbar entry, so the owner maps nothing itself: it is the object that
// hides, shows, minimises and restores the group, and it keeps the
// "Reset Window Position" command.
class CParentWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kResetWindowPositionCommand = 32;

    explicit CParentWnd(CPlayerContext& context);

    // Places the main window at (100, 100) with size 403 x 280 and the
    // playlist window at (502, 100) with size 318 x 100.
    void ResetWindowPositions();

private:
    CPlayerContext& m_context;
};
