#pragma once
// Payload of a GUIEvent: the command text of the button that was clicked ("pause", "quit", ...).

#include <string>

#include "events/IEventData.h"

class GUIEventData : public IEventData {
public:
    explicit GUIEventData(const std::string& name) : m_name(name) {}
    // Starts empty and reads the payload from in (which reads nothing).
    explicit GUIEventData(std::istream& in) { Deserialize(in); }

    void Serialize(std::ostream& /*out*/) const override {}
    void Deserialize(std::istream& /*in*/) override {}

    std::string m_name;
};
