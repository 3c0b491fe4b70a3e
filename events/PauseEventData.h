#pragma once
// Payload of an Event_Shooter_Pause event: the new paused state.

#include "events/IEventData.h"

class PauseEventData : public IEventData {
public:
    explicit PauseEventData(bool paused) : m_paused(paused) {}
    void Serialize(std::ostream& out) const override { out << (m_paused ? 1 : 0); }
    void Deserialize(std::istream& in) override { in >> m_paused; }

    bool m_paused;
};
