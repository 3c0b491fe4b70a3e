#include "events/GUIEvent.h"

GUIEvent::GUIEvent(const std::string& command)
    : CSimpleEvent(Event_Shooter_GUIEvent), m_data(new GUIEventData(command)) {}

void GUIEvent::Serialize(std::ostream& out) const {
    CSimpleEvent::Serialize(out);
    if (m_data) {
        m_data->Serialize(out);
    }
}

void GUIEvent::Deserialize(std::istream& in) {
    if (m_data) {
        m_data->Deserialize(in);
    } else {
        m_data.reset(new GUIEventData(in));
    }
}
