#include "events/EventType.h"

uint32_t HashName(const std::string& text) {
    uint32_t hash = 5381;
    for (char c : text) {
        // A byte above 0x7F counts as negative, as a signed char does.
        const int32_t value = static_cast<signed char>(c);
        hash = hash * 33u + static_cast<uint32_t>(value);
    }
    return hash;
}

EventType::EventType(const std::string& name) {
    SetName(name);
}

void EventType::SetName(const std::string& name) {
    m_name = name;
    m_key = HashName(name);
}

const EventType WildcardEventType("*");
const EventType Event_Shooter_Pause("Event_Shooter_Pause");
const EventType Event_Shooter_PlayerDeath("Event_Shooter_PlayerDeath");
const EventType Event_Shooter_PlayerNoMoreLives("Event_Shooter_PlayerNoMoreLives");
const EventType Event_Shooter_GUIEvent("Event_Shooter_GUIEvent");
