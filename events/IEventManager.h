#pragma once
// The post office of events: listeners register by type; events are triggered at once or
// queued for the next Tick. A queued event belongs to the manager.

class EventType;
class IEvent;
class IEventListener;

class IEventManager {
public:
    virtual ~IEventManager() = default;
    // Registers listener for type (registering the type itself when new); false for a null
    // listener, key 0, or a listener already registered for that type.
    virtual bool AddListener(IEventListener* listener, const EventType& type) = 0;
    // Removes listener from the lists of every type; type must only be valid.
    virtual bool DelListener(IEventListener* listener, const EventType& type) = 0;
    // Delivers event now; the caller keeps it. False for a null event or an unknown type.
    virtual bool Trigger(IEvent* event) = 0;
    // Takes event for delivery at the next Tick; on false the caller keeps it.
    virtual bool QueueEvent(IEvent* event) = 0;
    // Destroys the newest queued event of type, or all of them; true when one went.
    virtual bool AbortEvent(const EventType& type, const bool& allOfType) = 0;
    // Destroys that very queued event; false when it is not queued.
    virtual bool RemoveQueuedEvent(IEvent* event) = 0;
    // Delivers the queue, oldest first, including events queued meanwhile; destroys each.
    virtual bool Tick() = 0;
    // Destroys the events still queued.
    virtual bool Shutdown() = 0;
};
