// SPDX-License-Identifier: GPL-3.0-or-later
// Announcing queued graph events to the notify target.
#include "engine/graph/graph_event_queue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

constexpr int kNotifyType = QEvent::User + 2;

class CPostCounter : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != kNotifyType)
            return QObject::event(e);
        ++m_nPosted;
        return true;
    }
    int Delivered()
    {
        QCoreApplication::sendPostedEvents(this);
        return m_nPosted;
    }
    int m_nPosted = 0;
};

TEST(EngineGraphEventQueueTest, ABurstIsAnnouncedOnceAndReadInOrder)
{
    CPostCounter target;
    CGraphEventQueue queue;
    queue.SetTarget(&target, kNotifyType);
    queue.Push(EC_COMPLETE);
    queue.Push(EC_ERRORABORT, E_FAIL);
    EXPECT_EQ(target.Delivered(), 1);

    std::optional<CGraphEvent> event = queue.Pop();
    ASSERT_TRUE(event);
    EXPECT_EQ(event->code, EC_COMPLETE);
    event = queue.Pop();
    ASSERT_TRUE(event);
    EXPECT_EQ(event->code, EC_ERRORABORT);
    EXPECT_EQ(event->status, E_FAIL);
    EXPECT_FALSE(queue.Pop());
}

TEST(EngineGraphEventQueueTest, AnEventAfterTheLastOneReadIsAnnouncedAgain)
{
    CPostCounter target;
    CGraphEventQueue queue;
    queue.SetTarget(&target, kNotifyType);
    queue.Push(EC_COMPLETE);
    // The reader stops after one event without looking for more.
    ASSERT_TRUE(queue.Pop());
    queue.Push(EC_COMPLETE);
    EXPECT_EQ(target.Delivered(), 2);
}

TEST(EngineGraphEventQueueTest, EventsQueuedWithoutATargetAreAnnouncedWhenOneIsSet)
{
    CPostCounter target;
    CGraphEventQueue queue;
    queue.Push(EC_COMPLETE);
    EXPECT_EQ(target.Delivered(), 0);
    queue.SetTarget(&target, kNotifyType);
    EXPECT_EQ(target.Delivered(), 1);
    queue.SetTarget(nullptr, kNotifyType);
    queue.Push(EC_COMPLETE);
    EXPECT_EQ(target.Delivered(), 1);
}

}  // namespace
