#pragma once
// Raised by an interface button: carries the button's command text as GUIEventData.

#include <memory>
#include <string>

#include "events/CSimpleEvent.h"
#include "events/GUIEventData.h"

class GUIEvent : public CSimpleEvent {
public:
    explicit GUIEvent(const std::string& command);

    IEventData* GetData() const override { return m_data.get(); }
    // The key, a blank, then the payload.
    void Serialize(std::ostream& out) const override;
    // Reads into the payload, creating it when there is none.
    void Deserialize(std::istream& in) override;

private:
    std::unique_ptr<GUIEventData> m_data;
};
