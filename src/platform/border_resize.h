// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

class QWidget;

// Sizing a frameless window by its border band. The window manager sizes
// the window where it can; elsewhere (no window manager, or one without the
// protocol) the window sizes itself from the mouse events it is given.
class CBorderResize {
public:
    // A left press at `point` (client coordinates): true when it lies in
    // the band and sizing began.
    bool Start(QWidget& window, const QPoint& point);
    // A mouse move: true when it sized the window by hand.
    bool Move(QWidget& window, const QPoint& globalPos, bool leftDown);
    // A left release or a close: true when it ended a sizing by hand.
    bool End();

private:
    Qt::Edges m_edges;
    QPoint m_ptStart;  // screen coordinates
    QRect m_rcStart;
};
