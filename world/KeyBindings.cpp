#include "world/KeyBindings.h"

#include "world/GamepadInput.h"

namespace {

struct DefaultBinding {
    const char* name;
    SDLKey first;
    SDLKey second;
    int button;
};

// In the order of Action. The pad's fire, ring and start buttons are those of GamepadInput.
const DefaultBinding kDefaults[KeyBindings::kActionCount] = {
    {"up", SDLK_UP, SDLK_w, -1},
    {"down", SDLK_DOWN, SDLK_s, -1},
    {"left", SDLK_LEFT, SDLK_a, -1},
    {"right", SDLK_RIGHT, SDLK_d, -1},
    {"fire", SDLK_SPACE, SDLK_UNKNOWN, GamepadInput::kFireButton},
    {"weapon1", SDLK_1, SDLK_UNKNOWN, -1},
    {"weapon2", SDLK_2, SDLK_UNKNOWN, -1},
    {"weapon3", SDLK_3, SDLK_UNKNOWN, -1},
    {"weapon4", SDLK_4, SDLK_UNKNOWN, -1},
    {"ring", SDLK_m, SDLK_UNKNOWN, GamepadInput::kRingButton},
    {"blur", SDLK_n, SDLK_UNKNOWN, -1},
    {"mute", SDLK_v, SDLK_UNKNOWN, -1},
    {"pause", SDLK_p, SDLK_UNKNOWN, GamepadInput::kStartButton},
    {"restart", SDLK_r, SDLK_UNKNOWN, -1},
    {"fullscreen", SDLK_F11, SDLK_UNKNOWN, -1},
    {"quit", SDLK_ESCAPE, SDLK_UNKNOWN, -1},
};

}  // namespace

void KeyBindings::RestoreDefaults() {
    for (size_t i = 0; i < kActionCount; ++i) {
        m_keys[i][0] = kDefaults[i].first;
        m_keys[i][1] = kDefaults[i].second;
        m_button[i] = kDefaults[i].button;
    }
}

const char* KeyBindings::ActionName(Action action) { return kDefaults[Index(action)].name; }

bool KeyBindings::ActionFromName(const std::string& name, Action& action) {
    for (size_t i = 0; i < kActionCount; ++i) {
        if (name == kDefaults[i].name) {
            action = ActionAt(i);
            return true;
        }
    }
    return false;
}

SDLKey KeyBindings::Key(Action action, size_t slot) const {
    return slot < kKeysPerAction ? m_keys[Index(action)][slot] : SDLK_UNKNOWN;
}

void KeyBindings::SetKey(Action action, size_t slot, SDLKey key) {
    if (slot >= kKeysPerAction) {
        return;
    }
    if (key != SDLK_UNKNOWN) {
        for (auto& keys : m_keys) {
            for (SDLKey& bound : keys) {
                bound = bound == key ? SDLK_UNKNOWN : bound;
            }
        }
    }
    m_keys[Index(action)][slot] = key;
}

void KeyBindings::SetButton(Action action, int button) {
    if (button >= 0) {
        for (int& bound : m_button) {
            bound = bound == button ? -1 : bound;
        }
    }
    m_button[Index(action)] = button < 0 ? -1 : button;
}

bool KeyBindings::ActionOfKey(SDLKey key, Action& action) const {
    if (key == SDLK_UNKNOWN) {
        return false;
    }
    for (size_t i = 0; i < kActionCount; ++i) {
        if (m_keys[i][0] == key || m_keys[i][1] == key) {
            action = ActionAt(i);
            return true;
        }
    }
    return false;
}

bool KeyBindings::ActionOfButton(int button, Action& action) const {
    for (size_t i = 0; i < kActionCount; ++i) {
        if (button >= 0 && m_button[i] == button) {
            action = ActionAt(i);
            return true;
        }
    }
    return false;
}

bool KeyBindings::operator==(const KeyBindings& other) const {
    for (size_t i = 0; i < kActionCount; ++i) {
        if (m_keys[i][0] != other.m_keys[i][0] || m_keys[i][1] != other.m_keys[i][1] ||
            m_button[i] != other.m_button[i]) {
            return false;
        }
    }
    return true;
}
