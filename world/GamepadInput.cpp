#include "world/GamepadInput.h"

#include "core/Log.h"
#include "world/ActionCommand.h"
#include "world/CommandSink.h"

namespace {

// The same step as a direction key's.
constexpr float kMoveStep = 14.0f;

// -1, 0 or 1 for a stick axis value; SDL's y axis counts downwards, so it is flipped.
int AxisDirection(Sint16 value, bool vertical) {
    int direction = 0;
    if (value > GamepadInput::kDeadZone) {
        direction = 1;
    } else if (value < -GamepadInput::kDeadZone) {
        direction = -1;
    }
    return vertical ? -direction : direction;
}

}  // namespace

void GamepadInput::Open() {
#ifdef __EMSCRIPTEN__
    // The browser's SDL 1.2 cannot open the pads the browser offers: the page plays with the
    // keyboard and mouse.
    LogMessage("Gamepads are not available in the browser: keyboard and mouse only\n");
    return;
#endif
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0 || SDL_NumJoysticks() < 1) {
        return;
    }
    m_joystick = SDL_JoystickOpen(0);
    if (!m_joystick) {
        LogMessage("Gamepad %s could not be opened: %s\n", SDL_JoystickName(0), SDL_GetError());
        return;
    }
    LogMessage("Gamepad: %s\n", SDL_JoystickName(0));
}

void GamepadInput::Close() {
    if (m_joystick && SDL_WasInit(SDL_INIT_JOYSTICK)) {
        SDL_JoystickClose(m_joystick);
    }
    m_joystick = nullptr;
}

void GamepadInput::Reset() {
    m_stickX = m_stickY = m_hatX = m_hatY = 0;
}

bool GamepadInput::Handle(const SDL_Event& event, CommandSink& sink) {
    switch (event.type) {
        case SDL_JOYAXISMOTION:
            if (event.jaxis.axis == 0) {
                Steer(sink, m_stickX, AxisDirection(event.jaxis.value, false), false);
            } else if (event.jaxis.axis == 1) {
                Steer(sink, m_stickY, AxisDirection(event.jaxis.value, true), true);
            }
            return true;
        case SDL_JOYHATMOTION: {
            const Uint8 hat = event.jhat.value;
            Steer(sink, m_hatX, ((hat & SDL_HAT_RIGHT) ? 1 : 0) - ((hat & SDL_HAT_LEFT) ? 1 : 0),
                  false);
            Steer(sink, m_hatY, ((hat & SDL_HAT_UP) ? 1 : 0) - ((hat & SDL_HAT_DOWN) ? 1 : 0),
                  true);
            return true;
        }
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            HandleButton(sink, event.jbutton.button, event.type == SDL_JOYBUTTONDOWN);
            return true;
        default:
            return false;
    }
}

// Like a key held while the ship is dead, a change the dead ship cannot take is still
// remembered: the pair it belongs to is then half missing, exactly as with the keys.
void GamepadInput::Steer(CommandSink& sink, int& held, int now, bool vertical) {
    if (now == held) {
        return;
    }
    GameCommand command;
    command.kind = CommandKind::Steer;
    const float delta = static_cast<float>(now - held) * kMoveStep;
    command.step = vertical ? Vector2(0.0f, delta) : Vector2(delta, 0.0f);
    sink.Execute(command);
    held = now;
}

// A button bound to an action acts as that action's key; the shoulders step the weapon
// pattern unless they are bound to an action.
void GamepadInput::HandleButton(CommandSink& sink, int button, bool pressed) const {
    GameCommand command;
    Action action = Action::Up;
    if (m_bindings.ActionOfButton(button, action)) {
        if (ActionCommand(action, pressed, command)) {
            sink.Execute(command);
        }
        return;
    }
    if ((button == kWeaponDownButton || button == kWeaponUpButton) && pressed) {
        command.kind = CommandKind::WeaponStep;
        command.level = button == kWeaponUpButton ? 1 : -1;
        sink.Execute(command);
    }
}
