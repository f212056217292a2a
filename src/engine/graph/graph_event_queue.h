#pragma once

#include "hresult.h"

#include <QEvent>

#include <cstdint>
#include <deque>
#include <mutex>

class QObject;

// Events of one graph, queued from any thread and drained on the interface
// thread. The notify target gets one posted QEvent per batch: a new post
// happens only once the queue has been emptied.
class CGraphEventQueue {
public:
    void Push(long code, std::intptr_t param1 = 0, std::intptr_t param2 = 0);
    // E_ABORT when empty.
    HRESULT Pop(long* code, std::intptr_t* param1, std::intptr_t* param2);
    void Clear();
    void SetTarget(QObject* target, int eventType);

private:
    struct Event {
        long code;
        std::intptr_t param1;
        std::intptr_t param2;
    };

    std::mutex m_mutex;
    std::deque<Event> m_events;
    QObject* m_pTarget = nullptr;
    int m_nEventType = QEvent::None;
    bool m_bPosted = false;
};
