#pragma once
// Raised by the player ship when it is destroyed with no lives left.

#include "events/CSimpleEvent.h"

class PlayerNoMoreLivesEvent : public CSimpleEvent {
public:
    PlayerNoMoreLivesEvent() : CSimpleEvent(Event_Shooter_PlayerNoMoreLives) {}
};
