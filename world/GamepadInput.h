#pragma once
// The first joystick SDL finds, played like the keyboard. The left stick (axes 0 and 1, with
// a dead zone) and the hat steer as the arrow keys do: every change of the direction one of
// them points to is the release of the old direction's key and the press of the new one, so
// the ship's velocity gets the same 14-pixel press and release steering commands as from the
// keys, with the same rules (nothing while the ship is dead). Button 0 fires while held (Space),
// button 1 fires the ring (M), buttons 4 and 5 (the shoulders) step the weapon pattern down
// and up, button 7 (Start on the common layouts) pauses and resumes like P. The fire, ring and
// start buttons are the default pad buttons of KeyBindings: any button can be bound to any
// action, and then acts as that action's key.

#include <SDL/SDL.h>

#include <cstdint>

#include "world/KeyBindings.h"

class CommandSink;

class GamepadInput {
public:
    // Stick positions within this distance of the centre (of 32767) count as centred.
    static constexpr int kDeadZone = 8000;
    static constexpr int kFireButton = 0;
    static constexpr int kRingButton = 1;
    static constexpr int kWeaponDownButton = 4;
    static constexpr int kWeaponUpButton = 5;
    static constexpr int kStartButton = 7;

    // Opens the first joystick when there is one and logs its name; nothing otherwise.
    void Open();
    // Closes the joystick opened by Open.
    void Close();
    // Turns one joystick event (axis, hat or button) into commands for sink; false for any
    // other event.
    bool Handle(const SDL_Event& event, CommandSink& sink);
    // Forgets the held directions (a new ship starts at rest).
    void Reset();
    // The actions of the buttons from now on (KeyBindings' pad buttons).
    void SetBindings(const KeyBindings& bindings) { m_bindings = bindings; }

    // Directions held, -1, 0 or 1 on each axis, y counting upwards.
    int StickX() const { return m_stickX; }
    int StickY() const { return m_stickY; }

private:
    // Moves one source's held direction on one axis to now, releasing the old key and
    // pressing the new one.
    static void Steer(CommandSink& sink, int& held, int now, bool vertical);
    void HandleButton(CommandSink& sink, int button, bool pressed) const;

    KeyBindings m_bindings;
    SDL_Joystick* m_joystick = nullptr;
    int m_stickX = 0;
    int m_stickY = 0;
    int m_hatX = 0;
    int m_hatY = 0;
};
