#pragma once
// The game's event manager: a registry of known types, a listener list per type key and one
// queue of pending events, delivered by Tick at the start of every world update.

#include <cstdint>
#include <list>
#include <map>
#include <vector>

#include "core/TSingleton.h"
#include "events/EventType.h"
#include "events/IEventManager.h"

class CEventManager : public IEventManager, public TSingleton<CEventManager> {
public:
    CEventManager();
    // Releases the containers; queued events are destroyed by Shutdown, not here.
    ~CEventManager() override;

    bool AddListener(IEventListener* listener, const EventType& type) override;
    bool DelListener(IEventListener* listener, const EventType& type) override;
    bool Trigger(IEvent* event) override;
    bool QueueEvent(IEvent* event) override;
    bool AbortEvent(const EventType& type, const bool& allOfType) override;
    bool RemoveQueuedEvent(IEvent* event) override;
    bool Tick() override;
    bool Shutdown() override;

    // Events handed to listeners so far (triggered or queued): a count that changes whenever
    // a listener may have changed something.
    uint64_t DeliveredCount() const { return m_delivered; }

    // True for "*" and for every type registered by AddListener; false for key 0.
    bool ValidateType(const EventType& type) const;

private:
    using ListenerList = std::list<IEventListener*>;

    // Wildcard listeners first (results ignored), then the type's own until one consumes it.
    void Deliver(IEvent* event, const ListenerList* wildcard);
    const ListenerList* FindListeners(uint32_t key) const;

    std::vector<EventType> m_typeList;
    std::map<uint32_t, ListenerList> m_listeners;
    std::list<IEvent*> m_queue;  // owned
    uint64_t m_delivered = 0;
};
