#pragma once
// Sets the game's paused state directly. Nothing in the game raises it; it exists so that the
// world's handler for Event_Shooter_Pause has an event class to receive.

#include <memory>

#include "events/CSimpleEvent.h"
#include "events/PauseEventData.h"

class PauseEvent : public CSimpleEvent {
public:
    explicit PauseEvent(bool paused)
        : CSimpleEvent(Event_Shooter_Pause), m_data(new PauseEventData(paused)) {}
    IEventData* GetData() const override { return m_data.get(); }

private:
    std::unique_ptr<PauseEventData> m_data;
};
