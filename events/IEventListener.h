#pragma once
// Receives events from the event manager.

class IEvent;

class IEventListener {
public:
    virtual ~IEventListener() = default;
    // Handles one event; true consumes it, so later listeners of its own type do not see it.
    virtual bool HandleEvent(IEvent* event) = 0;
};
