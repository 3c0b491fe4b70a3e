#pragma once
// Payload carried by an event; the event owns it.

#include <istream>
#include <ostream>

class IEventData {
public:
    virtual ~IEventData() = default;
    // Writes the payload as text.
    virtual void Serialize(std::ostream& out) const = 0;
    // Reads the payload back from text.
    virtual void Deserialize(std::istream& in) = 0;
};
