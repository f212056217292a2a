// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shows the busy cursor for as long as it lives, on every way out of the
// scope. Does nothing in a process without a GUI application.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    bool m_bShown = false;
};
