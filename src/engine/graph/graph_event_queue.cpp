// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/graph/graph_event_queue.h"

#include <QCoreApplication>

void CGraphEventQueue::Push(long code, HRESULT status)
{
    std::lock_guard lock(m_mutex);
    m_events.push_back({code, status});
    if (m_pTarget && !m_bPosted) {
        m_bPosted = true;
        QCoreApplication::postEvent(m_pTarget, new QEvent(static_cast<QEvent::Type>(m_nEventType)));
    }
}

std::optional<CGraphEvent> CGraphEventQueue::Pop()
{
    std::lock_guard lock(m_mutex);
    if (m_events.empty()) {
        m_bPosted = false;
        return std::nullopt;
    }
    const CGraphEvent event = m_events.front();
    m_events.pop_front();
    // A handler may stop reading before it sees the queue empty (the power
    // action does); the next event must be announced all the same.
    if (m_events.empty())
        m_bPosted = false;
    return event;
}

void CGraphEventQueue::Clear()
{
    std::lock_guard lock(m_mutex);
    m_events.clear();
}

void CGraphEventQueue::SetTarget(QObject* target, int eventType)
{
    std::lock_guard lock(m_mutex);
    m_pTarget = target;
    m_nEventType = eventType;
    m_bPosted = false;
    if (m_pTarget && !m_events.empty()) {
        m_bPosted = true;
        QCoreApplication::postEvent(m_pTarget, new QEvent(static_cast<QEvent::Type>(m_nEventType)));
    }
}
