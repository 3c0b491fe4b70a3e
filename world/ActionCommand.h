#pragma once
// What a bound key or pad button asks for: the game command of an action, pressed or
// released. Directions steer by a 14-pixel velocity step per press, taken back on release;
// fire is held; every other action acts on the press only.

#include "game/GameCommand.h"
#include "world/KeyBindings.h"

// The command of the action's press (pressed) or release; false when that has none.
bool ActionCommand(Action action, bool pressed, GameCommand& command);
