#pragma once
// The identity of a kind of event: a name and its djb2 hash. Types compare by key alone.

#include <cstdint>
#include <string>

// djb2 over the bytes of text, each byte taken as a signed char; "" hashes to 5381.
uint32_t HashName(const std::string& text);

class EventType {
public:
    // No type at all: empty name and key 0 (not the hash of "").
    EventType() = default;
    explicit EventType(const std::string& name);

    // Assigns the name and recomputes the key.
    void SetName(const std::string& name);
    const std::string& GetName() const { return m_name; }
    uint32_t GetKey() const { return m_key; }

    // Equal exactly when the keys are equal; names are not looked at.
    bool operator==(const EventType& other) const { return m_key == other.m_key; }
    bool operator!=(const EventType& other) const { return m_key != other.m_key; }

private:
    std::string m_name;
    uint32_t m_key = 0;
};

// "*": listeners of this type receive every event, ahead of the type's own listeners.
extern const EventType WildcardEventType;

// The game's four event types.
extern const EventType Event_Shooter_Pause;
extern const EventType Event_Shooter_PlayerDeath;
extern const EventType Event_Shooter_PlayerNoMoreLives;
extern const EventType Event_Shooter_GUIEvent;
