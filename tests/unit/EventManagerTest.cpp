#include "events/CEventManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "events/CSimpleEvent.h"
#include "events/IEventListener.h"
#include "events/PlayerDeathEvent.h"
#include "events/PlayerNoMoreLivesEvent.h"

namespace {

// Records what it receives in a shared journal; may consume, or run an action on each event.
class RecordingListener : public IEventListener {
public:
    RecordingListener(std::string name, std::vector<std::string>& journal, bool consume = false)
        : m_name(std::move(name)), m_journal(journal), m_consume(consume) {}
    bool HandleEvent(IEvent* event) override {
        m_journal.push_back(m_name + ":" + event->GetEventType().GetName());
        if (m_onEvent) {
            m_onEvent(event);
        }
        return m_consume;
    }
    std::function<void(IEvent*)> m_onEvent;

private:
    std::string m_name;
    std::vector<std::string>& m_journal;
    bool m_consume;
};

// An event that counts its destructions, so tests see who destroyed what.
class CountedEvent : public CSimpleEvent {
public:
    CountedEvent(const EventType& type, int& destroyed)
        : CSimpleEvent(type), m_destroyed(destroyed) {}
    ~CountedEvent() override { ++m_destroyed; }

private:
    int& m_destroyed;
};

const EventType kTypeA("A");
const EventType kTypeB("B");

class EventManagerTest : public ::testing::Test {
protected:
    CEventManager manager;
    std::vector<std::string> journal;
};

}  // namespace

TEST_F(EventManagerTest, AddListenerRefusesNullListenerAndKeyZero) {
    RecordingListener l("L", journal);
    EXPECT_FALSE(manager.AddListener(nullptr, kTypeA));
    EXPECT_FALSE(manager.AddListener(&l, EventType()));
    EXPECT_FALSE(manager.ValidateType(kTypeA));
    EXPECT_TRUE(manager.ValidateType(WildcardEventType));
    EXPECT_FALSE(manager.ValidateType(EventType()));
}

TEST_F(EventManagerTest, SameListenerTwiceIsRefusedAndDeliveredOnce) {
    RecordingListener l("L", journal);
    EXPECT_TRUE(manager.AddListener(&l, kTypeA));
    EXPECT_FALSE(manager.AddListener(&l, kTypeA));
    int destroyed = 0;
    EXPECT_TRUE(manager.QueueEvent(new CountedEvent(kTypeA, destroyed)));
    manager.Tick();
    EXPECT_EQ(journal, (std::vector<std::string>{"L:A"}));
    EXPECT_EQ(destroyed, 1);
}

TEST_F(EventManagerTest, WildcardFirstAndConsumptionStopsOnlyOwnListeners) {
    RecordingListener wild("W", journal);
    RecordingListener first("L1", journal, true);
    RecordingListener second("L2", journal);
    manager.AddListener(&first, kTypeA);
    manager.AddListener(&second, kTypeA);
    manager.AddListener(&wild, WildcardEventType);
    int destroyed = 0;
    CountedEvent event(kTypeA, destroyed);
    EXPECT_TRUE(manager.Trigger(&event));
    EXPECT_EQ(journal, (std::vector<std::string>{"W:A", "L1:A"}));
    EXPECT_EQ(destroyed, 0);  // the caller keeps a triggered event
}

TEST_F(EventManagerTest, QueueForUnknownTypeIsRefusedAndLeftWithCaller) {
    int destroyed = 0;
    CountedEvent* event = new CountedEvent(kTypeB, destroyed);
    EXPECT_FALSE(manager.QueueEvent(event));
    EXPECT_FALSE(manager.QueueEvent(nullptr));
    delete event;
    EXPECT_EQ(destroyed, 1);
}

TEST_F(EventManagerTest, QueueStillSucceedsWhenTheListenerListBecameEmpty) {
    RecordingListener l("L", journal);
    manager.AddListener(&l, kTypeA);
    EXPECT_TRUE(manager.DelListener(&l, kTypeA));
    int destroyed = 0;
    EXPECT_TRUE(manager.QueueEvent(new CountedEvent(kTypeA, destroyed)));
    manager.Tick();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(destroyed, 1);
}

TEST_F(EventManagerTest, DelListenerRemovesFromEveryType) {
    RecordingListener l("L", journal);
    manager.AddListener(&l, kTypeA);
    manager.AddListener(&l, kTypeB);
    EXPECT_TRUE(manager.DelListener(&l, kTypeB));
    EXPECT_FALSE(manager.DelListener(&l, kTypeA));
    int destroyed = 0;
    CountedEvent a(kTypeA, destroyed);
    manager.Trigger(&a);
    EXPECT_TRUE(journal.empty());
}

TEST_F(EventManagerTest, EventsQueuedDuringTickAreDeliveredInTheSameTick) {
    RecordingListener l("L", journal);
    int destroyed = 0;
    bool queued = false;
    l.m_onEvent = [&](IEvent*) {
        if (!queued) {
            queued = true;
            manager.QueueEvent(new CountedEvent(kTypeB, destroyed));
        }
    };
    manager.AddListener(&l, kTypeA);
    manager.AddListener(&l, kTypeB);
    manager.QueueEvent(new CountedEvent(kTypeA, destroyed));
    manager.QueueEvent(new CountedEvent(kTypeA, destroyed));
    manager.Tick();
    EXPECT_EQ(journal, (std::vector<std::string>{"L:A", "L:A", "L:B"}));
    EXPECT_EQ(destroyed, 3);
}

TEST_F(EventManagerTest, AbortRemovesNewestFirstOrAllOfType) {
    RecordingListener l("L", journal);
    manager.AddListener(&l, kTypeA);
    manager.AddListener(&l, kTypeB);
    int a = 0;
    int b = 0;
    CountedEvent* oldest = new CountedEvent(kTypeA, a);
    manager.QueueEvent(oldest);
    manager.QueueEvent(new CountedEvent(kTypeB, b));
    manager.QueueEvent(new CountedEvent(kTypeA, a));
    manager.QueueEvent(new CountedEvent(kTypeA, a));
    EXPECT_TRUE(manager.AbortEvent(kTypeA, false));
    EXPECT_EQ(a, 1);
    EXPECT_TRUE(manager.RemoveQueuedEvent(oldest));
    EXPECT_FALSE(manager.RemoveQueuedEvent(oldest));
    EXPECT_EQ(a, 2);
    EXPECT_TRUE(manager.AbortEvent(kTypeA, true));
    EXPECT_EQ(a, 3);
    EXPECT_FALSE(manager.AbortEvent(kTypeA, true));
    manager.Tick();
    EXPECT_EQ(journal, (std::vector<std::string>{"L:B"}));
    EXPECT_EQ(b, 1);
}

TEST_F(EventManagerTest, ShutdownDestroysQueuedEvents) {
    RecordingListener l("L", journal);
    manager.AddListener(&l, kTypeA);
    int destroyed = 0;
    manager.QueueEvent(new CountedEvent(kTypeA, destroyed));
    manager.QueueEvent(new CountedEvent(kTypeA, destroyed));
    EXPECT_TRUE(manager.Shutdown());
    EXPECT_EQ(destroyed, 2);
    manager.Tick();
    EXPECT_TRUE(journal.empty());
}
