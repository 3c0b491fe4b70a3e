#pragma once
// What the player asks of the game, after the input mapping has read the keys, the mouse and
// the gamepad: the one vocabulary between input and the rules, so that bindings can change
// and commands can be recorded without the rules knowing where a command came from.

#include "math/Vector2.h"

enum class CommandKind {
    Steer,          // add step to the ship's velocity (a press adds, a release takes away)
    Fire,           // on: fire while held; off: stop
    Weapon,         // weapon pattern number level (0 to 3)
    WeaponStep,     // weapon pattern one down (level -1) or up (level 1), within 0 to 3
    Ring,           // the ring burst
    ToggleBlur,     // motion blur on or off
    ToggleMute,     // all sound on or off
    TogglePause,    // pause or resume during play
    Restart,        // play again
    ToggleFullScreen,
    ToggleProblems, // the data problems' list on screen or off
    FocusLost,      // the window lost the input focus or was minimised
    Quit,
};

struct GameCommand {
    CommandKind kind = CommandKind::Quit;
    Vector2 step;    // Steer
    bool on = false; // Fire
    int level = 0;   // Weapon, WeaponStep

    // The commands the ship takes, only while it is alive; the others act on any screen.
    bool IsShipCommand() const {
        return kind == CommandKind::Steer || kind == CommandKind::Fire ||
               kind == CommandKind::Weapon || kind == CommandKind::WeaponStep ||
               kind == CommandKind::Ring || kind == CommandKind::ToggleBlur;
    }
};
