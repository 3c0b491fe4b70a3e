#pragma once
// Raised by the player ship when it loses a life and has lives left.

#include "events/CSimpleEvent.h"

class PlayerDeathEvent : public CSimpleEvent {
public:
    PlayerDeathEvent() : CSimpleEvent(Event_Shooter_PlayerDeath) {}
};
