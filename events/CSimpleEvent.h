#pragma once
// Common base of the game's events: holds the event's own type record and carries no data.
// Serialize writes the key in decimal and one blank; Deserialize reads nothing.

#include "events/EventType.h"
#include "events/IEvent.h"

class CSimpleEvent : public IEvent {
public:
    const EventType& GetEventType() const override { return m_type; }
    IEventData* GetData() const override { return nullptr; }
    void Serialize(std::ostream& out) const override;
    void Deserialize(std::istream& in) override;

protected:
    explicit CSimpleEvent(const EventType& type);

    EventType m_type;
};
