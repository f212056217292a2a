// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

// Moving a frameless window by dragging its body. Positions are taken on
// the screen from the drag's start, so a burst of mouse events whose window
// positions predate the last move cannot add up.
class CWindowDrag {
public:
    void Start(const QPoint& pointerOnScreen, const QPoint& windowPos)
    {
        m_bActive = true;
        m_ptStartPointer = pointerOnScreen;
        m_ptStartWindow = windowPos;
    }
    void End() { m_bActive = false; }
    bool IsActive() const { return m_bActive; }

    // Where the window belongs with the pointer at `pointerOnScreen`.
    QPoint WindowPos(const QPoint& pointerOnScreen) const
    {
        return m_ptStartWindow + pointerOnScreen - m_ptStartPointer;
    }

private:
    bool m_bActive = false;
    QPoint m_ptStartPointer;
    QPoint m_ptStartWindow;
};
