// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/graph/media_graph.h"

#include <QEvent>

#include <deque>
#include <mutex>
#include <optional>

class QObject;

// Events of one graph, queued from any thread and drained on the interface
// thread. The notify target gets one posted QEvent per batch: a new post
// happens only once the queue has been emptied.
class CGraphEventQueue {
public:
    void Push(long code, HRESULT status = S_OK);
    // None when empty.
    std::optional<CGraphEvent> Pop();
    void Clear();
    void SetTarget(QObject* target, int eventType);

private:
    std::mutex m_mutex;
    std::deque<CGraphEvent> m_events;
    QObject* m_pTarget = nullptr;
    int m_nEventType = QEvent::None;
    bool m_bPosted = false;
};
