// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/border_resize.h"

#include "platform/resize_band.h"

#include <QWidget>
#include <QWindow>

bool CBorderResize::Start(QWidget& window, const QPoint& point)
{
    const BorderHit hit = BorderHitTest(window.rect(), point);
    if (hit == HT_NOWHERE)
        return false;
    const Qt::Edges edges = EdgesForHit(hit);
    if (window.windowHandle() && window.windowHandle()->startSystemResize(edges))
        return true;
    m_edges = edges;
    m_ptStart = window.mapToGlobal(point);
    m_rcStart = window.geometry();
    return true;
}

bool CBorderResize::Move(QWidget& window, const QPoint& globalPos, bool leftDown)
{
    if (!m_edges)
        return false;
    if (!leftDown) {
        m_edges = {};
        return false;
    }
    window.setGeometry(ResizedRect(m_rcStart, m_edges, globalPos - m_ptStart, window.minimumSize()));
    return true;
}

bool CBorderResize::End()
{
    const bool sizing = bool(m_edges);
    m_edges = {};
    return sizing;
}
