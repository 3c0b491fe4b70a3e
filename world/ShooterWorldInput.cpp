#include "world/ShooterWorld.h"

#include "audio/CSoundManager.h"
#include "events/CEventManager.h"
#include "events/GUIEvent.h"
#include "game/ShooterCamera.h"
#include "game/ShooterPlayer.h"
#include "gui/CGUI.h"
#include "gui/GUIInput.h"

namespace {

// Velocity step of one direction key, per press and (negated) per release.
constexpr int MOVE_STEP = 14;

// The step vector of a direction key; false for any other key.
bool DirectionOf(SDLKey key, Vector2& step) {
    const float s = static_cast<float>(MOVE_STEP);
    switch (key) {
        case SDLK_UP:
        case SDLK_w:
            step = Vector2(0.0f, s);
            return true;
        case SDLK_DOWN:
        case SDLK_s:
            step = Vector2(0.0f, -s);
            return true;
        case SDLK_LEFT:
        case SDLK_a:
            step = Vector2(-s, 0.0f);
            return true;
        case SDLK_RIGHT:
        case SDLK_d:
            step = Vector2(s, 0.0f);
            return true;
        default:
            return false;
    }
}

// Mouse records: 0 for buttons other than left and right, which the interface only uses to
// move its pointer.
int32_t MouseKind(Uint8 button, bool pressed) {
    if (button == SDL_BUTTON_LEFT) {
        return pressed ? 1 : 2;
    }
    if (button == SDL_BUTTON_RIGHT) {
        return pressed ? 4 : 5;
    }
    return 0;
}

// Game bindings need a living ship; without a level there is none.
bool PlayerTakesKeys(const ShooterWorld& world) {
    return world.m_player && !world.m_player->IsDead();
}

void ForwardKey(SDLKey key, int32_t kind) {
    GUIKeyInput input;
    input.key = key;
    input.kind = kind;
    CGUI::GetInstance()->HandleKey(input);
}

void PressBinding(ShooterWorld& world, SDLKey key) {
    ShooterPlayer* player = world.m_player.get();
    Vector2 step;
    if (DirectionOf(key, step)) {
        player->SetVelocity(player->GetVelocity() + step);
    } else if (key >= SDLK_1 && key <= SDLK_4) {
        const int level = key - SDLK_1;
        player->SetWeaponLevel(level);
    } else if (key == SDLK_SPACE) {
        world.m_firing = true;
    } else if (key == SDLK_m) {
        player->FireRing();
    } else if (key == SDLK_n) {
        world.m_motionBlur = !world.m_motionBlur;
        if (!world.m_motionBlur) {
            world.ClearFrameTextures();
        }
    }
}

void ReleaseBinding(ShooterWorld& world, SDLKey key) {
    ShooterPlayer* player = world.m_player.get();
    Vector2 step;
    if (DirectionOf(key, step)) {
        player->SetVelocity(player->GetVelocity() - step);
    } else if (key == SDLK_SPACE) {
        world.m_firing = false;
    }
}

// The keys a desktop game is expected to have, live or dead ship alike: R plays again (through
// the same command as a "restart" button), P pauses and resumes, F11 and Alt+Enter switch
// full screen. False for every other key.
bool DesktopBinding(ShooterWorld& world, SDLKey key, SDLMod mod) {
    if (key == SDLK_r) {
        auto* event = new GUIEvent("restart");
        if (!CEventManager::GetInstance()->QueueEvent(event)) {
            delete event;
        }
        return true;
    }
    if (key == SDLK_p) {
        world.TogglePause();
        return true;
    }
    if (key == SDLK_F11 || (key == SDLK_RETURN && (mod & KMOD_ALT))) {
        world.ToggleFullScreen();
        return true;
    }
    return false;
}

void HandleKeyDown(ShooterWorld& world, SDLKey key, SDLMod mod) {
    if (key == SDLK_ESCAPE) {
        world.m_quit = true;
        return;
    }
    // Muting works on every screen, with or without a ship.
    if (key == SDLK_v) {
        CSoundManager::GetInstance()->ToggleMute();
    }
    if (!DesktopBinding(world, key, mod) && PlayerTakesKeys(world)) {
        PressBinding(world, key);
    }
    ForwardKey(key, 1);
}

void HandleKeyUp(ShooterWorld& world, SDLKey key) {
    if (PlayerTakesKeys(world)) {
        ReleaseBinding(world, key);
    }
    ForwardKey(key, 2);
}

// The interface counts y upwards from the bottom edge, like the drawing coordinates: the
// camera's height minus SDL's y, or the window's height when no level gave a camera.
void ForwardMouse(const ShooterWorld& world, int x, int y, int32_t kind) {
    const float height =
        world.m_camera ? world.m_camera->GetSize().y : static_cast<float>(world.m_height);
    GUIMouseInput input;
    // Window pixels to the picture's, which a larger full-screen mode shows centred.
    input.x = x - world.PictureX();
    input.y = static_cast<int32_t>(height - static_cast<float>(y - world.PictureTop()));
    input.kind = kind;
    CGUI::GetInstance()->HandleMouse(input);
}

}  // namespace

void ShooterWorld::HandleSDLEvent(SDL_Event& event) {
    ++m_sceneChanges;
    switch (event.type) {
        case SDL_QUIT:
            m_quit = true;
            break;
        case SDL_KEYDOWN:
            HandleKeyDown(*this, event.key.keysym.sym, event.key.keysym.mod);
            break;
        case SDL_KEYUP:
            HandleKeyUp(*this, event.key.keysym.sym);
            break;
        case SDL_MOUSEMOTION:
            ForwardMouse(*this, event.motion.x, event.motion.y, 7);
            break;
        case SDL_MOUSEBUTTONDOWN:
            ForwardMouse(*this, event.button.x, event.button.y,
                         MouseKind(event.button.button, true));
            break;
        case SDL_MOUSEBUTTONUP:
            ForwardMouse(*this, event.button.x, event.button.y,
                         MouseKind(event.button.button, false));
            break;
        case SDL_ACTIVEEVENT:
            if (event.active.gain == 0 &&
                (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0) {
                PauseForFocusLoss();
            }
            break;
        default:
            m_gamepad.Handle(*this, event);
            break;
    }
}
