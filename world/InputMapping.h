#pragma once
// The one place where the bindings live: SDL's key, mouse, window and gamepad events in, game
// commands out. Keys and the pointer also go on to the interface, as records it can act on.
//
// The keyboard follows the key bindings (KeyBindings; by default arrows or W A S D steer by
// a 14-pixel velocity step per press, taken back on release, Space fires while held, 1 to 4
// choose the weapon pattern, M fires the ring, N switches motion blur, V mutes, P pauses, R
// plays again, F11 switches full screen, Escape quits); Alt+Enter always switches full screen.
// The gamepad: see GamepadInput.
//
// While the interface's active layer navigates (the options screen, see CGUILayer), keys and
// the pad's buttons and hat go to the interface alone, except Alt+Enter, F11 and F12 (unless
// a key is being captured); a key or button pressed there has its release go there too, and
// one pressed for the game has its release go to the game, so no press loses its release.

#include <SDL/SDL.h>

#include <bitset>

#include "world/CommandSink.h"
#include "world/GamepadInput.h"
#include "world/KeyBindings.h"

class InputMapping {
public:
    // Opens the first gamepad when there is one; Close lets it go.
    void Open() { m_gamepad.Open(); }
    void Close() { m_gamepad.Close(); }
    // Forgets the held directions of the gamepad (a new ship starts at rest).
    void Reset() { m_gamepad.Reset(); }
    // One SDL event: its commands go to sink, its records to the interface.
    void Handle(const SDL_Event& event, CommandSink& sink);
    const GamepadInput& Gamepad() const { return m_gamepad; }
    // The keys and pad buttons of every action from now on.
    void SetBindings(const KeyBindings& bindings);
    const KeyBindings& Bindings() const { return m_bindings; }

private:
    // The event taken by a navigating layer (or the release of a press it took); false when it
    // goes the game's way.
    bool ToNavigation(const SDL_Event& event);
    void KeyDown(SDLKey key, SDLMod mod, CommandSink& sink);
    void KeyUp(SDLKey key, CommandSink& sink);
    static void Pointer(int x, int y, int kind, const CommandSink& sink);

    GamepadInput m_gamepad;
    KeyBindings m_bindings;
    std::bitset<SDLK_LAST> m_navigationKeys;  // pressed while a layer navigated, not released
    std::bitset<32> m_navigationButtons;
};
