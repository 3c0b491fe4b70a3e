#include "events/CSimpleEvent.h"

CSimpleEvent::CSimpleEvent(const EventType& type) {
    m_type = type;
}

void CSimpleEvent::Serialize(std::ostream& out) const {
    out << m_type.GetKey() << " ";
}

void CSimpleEvent::Deserialize(std::istream& /*in*/) {}
