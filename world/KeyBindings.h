#pragma once
// Which keys and gamepad buttons ask for which action: up to two keys per action and one pad
// button (a pad button of -1 is none). The defaults are the game's designed keys; the
// settings file and the options screen change them. F11's second way, Alt+Enter, is not a
// binding: it always switches full screen.

#include <SDL/SDL.h>

#include <cstddef>
#include <string>

enum class Action {
    Up,
    Down,
    Left,
    Right,
    Fire,
    Weapon1,
    Weapon2,
    Weapon3,
    Weapon4,
    Ring,
    Blur,
    Mute,
    Pause,
    Restart,
    FullScreen,
    Quit,
};

class KeyBindings {
public:
    static constexpr size_t kActionCount = static_cast<size_t>(Action::Quit) + 1;
    static constexpr size_t kKeysPerAction = 2;
    // The highest pad button a binding may name.
    static constexpr int kMaxButton = 31;

    // The designed bindings.
    KeyBindings() { RestoreDefaults(); }
    void RestoreDefaults();

    // The name of an action in the settings file ("up", "weapon1", "fullscreen").
    static const char* ActionName(Action action);
    // The action of that name; false when there is none.
    static bool ActionFromName(const std::string& name, Action& action);
    static Action ActionAt(size_t index) { return static_cast<Action>(index); }

    // Key slot (0 or 1) of the action; SDLK_UNKNOWN when empty.
    SDLKey Key(Action action, size_t slot) const;
    // Binds key to the action's slot. The key leaves every other place it was bound to, so
    // that one key never asks for two actions.
    void SetKey(Action action, size_t slot, SDLKey key);
    int Button(Action action) const { return m_button[Index(action)]; }
    // Binds a pad button (-1: none), taking it from any other action.
    void SetButton(Action action, int button);

    // The action a key asks for; false when the key is bound to none.
    bool ActionOfKey(SDLKey key, Action& action) const;
    bool ActionOfButton(int button, Action& action) const;

    bool operator==(const KeyBindings& other) const;
    bool operator!=(const KeyBindings& other) const { return !(*this == other); }

private:
    static size_t Index(Action action) { return static_cast<size_t>(action); }

    SDLKey m_keys[kActionCount][kKeysPerAction];
    int m_button[kActionCount];
};
