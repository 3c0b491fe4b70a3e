#pragma once
// An event: its type and optional data. Producers create events with new and hand them to the
// event manager, which owns them from then on.

#include <istream>
#include <ostream>

class EventType;
class IEventData;

class IEvent {
public:
    virtual ~IEvent() = default;
    // The event's own type record.
    virtual const EventType& GetEventType() const = 0;
    // The payload, or null; the event keeps ownership.
    virtual IEventData* GetData() const = 0;
    // Writes the event as text: its key in decimal, a blank, then the payload.
    virtual void Serialize(std::ostream& out) const = 0;
    // Reads the payload back from text.
    virtual void Deserialize(std::istream& in) = 0;
};
