#include "world/GamepadInput.h"

#include "core/Log.h"
#include "game/ShooterPlayer.h"
#include "world/ShooterWorld.h"

namespace {

// The same step as a direction key's.
constexpr float kMoveStep = 14.0f;
constexpr int kLowestWeapon = 0;
constexpr int kHighestWeapon = 3;

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

bool ShipTakesInput(const ShooterWorld& world) {
    return world.m_player && !world.m_player->IsDead();
}

}  // namespace

void GamepadInput::Open() {
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

bool GamepadInput::Handle(ShooterWorld& world, const SDL_Event& event) {
    switch (event.type) {
        case SDL_JOYAXISMOTION:
            if (event.jaxis.axis == 0) {
                Steer(world, m_stickX, AxisDirection(event.jaxis.value, false), false);
            } else if (event.jaxis.axis == 1) {
                Steer(world, m_stickY, AxisDirection(event.jaxis.value, true), true);
            }
            return true;
        case SDL_JOYHATMOTION: {
            const Uint8 hat = event.jhat.value;
            Steer(world, m_hatX, ((hat & SDL_HAT_RIGHT) ? 1 : 0) - ((hat & SDL_HAT_LEFT) ? 1 : 0),
                  false);
            Steer(world, m_hatY, ((hat & SDL_HAT_UP) ? 1 : 0) - ((hat & SDL_HAT_DOWN) ? 1 : 0),
                  true);
            return true;
        }
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            HandleButton(world, event.jbutton.button, event.type == SDL_JOYBUTTONDOWN);
            return true;
        default:
            return false;
    }
}

void GamepadInput::Steer(ShooterWorld& world, int& held, int now, bool vertical) {
    if (now == held) {
        return;
    }
    // Like a key held while the ship is dead, a change the dead ship cannot take is still
    // remembered: the pair it belongs to is then half missing, exactly as with the keys.
    if (ShipTakesInput(world)) {
        ShooterPlayer* player = world.m_player.get();
        const float delta = static_cast<float>(now - held) * kMoveStep;
        const Vector2 step = vertical ? Vector2(0.0f, delta) : Vector2(delta, 0.0f);
        player->SetVelocity(player->GetVelocity() + step);
    }
    held = now;
}

void GamepadInput::HandleButton(ShooterWorld& world, int button, bool pressed) {
    if (button == kStartButton) {
        if (pressed) {
            world.TogglePause();
        }
        return;
    }
    if (!ShipTakesInput(world)) {
        return;
    }
    ShooterPlayer* player = world.m_player.get();
    if (button == kFireButton) {
        world.m_firing = pressed;
    } else if (button == kRingButton && pressed) {
        player->FireRing();
    } else if (button == kWeaponDownButton && pressed && player->m_weaponLevel > kLowestWeapon) {
        player->SetWeaponLevel(player->m_weaponLevel - 1);
    } else if (button == kWeaponUpButton && pressed && player->m_weaponLevel < kHighestWeapon) {
        player->SetWeaponLevel(player->m_weaponLevel + 1);
    }
}
