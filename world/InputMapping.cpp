#include "world/InputMapping.h"

#include "gui/CGUI.h"
#include "gui/GUIInput.h"

namespace {

// Velocity step of one direction key, per press and (negated) per release.
constexpr float MOVE_STEP = 14.0f;

// The step vector of a direction key; false for any other key.
bool DirectionOf(SDLKey key, Vector2& step) {
    switch (key) {
        case SDLK_UP:
        case SDLK_w:
            step = Vector2(0.0f, MOVE_STEP);
            return true;
        case SDLK_DOWN:
        case SDLK_s:
            step = Vector2(0.0f, -MOVE_STEP);
            return true;
        case SDLK_LEFT:
        case SDLK_a:
            step = Vector2(-MOVE_STEP, 0.0f);
            return true;
        case SDLK_RIGHT:
        case SDLK_d:
            step = Vector2(MOVE_STEP, 0.0f);
            return true;
        default:
            return false;
    }
}

// Mouse records: 0 for buttons other than left and right, which the interface only uses to
// move its pointer.
int MouseKind(Uint8 button, bool pressed) {
    if (button == SDL_BUTTON_LEFT) {
        return pressed ? 1 : 2;
    }
    if (button == SDL_BUTTON_RIGHT) {
        return pressed ? 4 : 5;
    }
    return 0;
}

void ForwardKey(SDLKey key, int32_t kind) {
    GUIKeyInput input;
    input.key = key;
    input.kind = kind;
    CGUI::GetInstance()->HandleKey(input);
}

GameCommand Command(CommandKind kind) {
    GameCommand command;
    command.kind = kind;
    return command;
}

// The keys a desktop game is expected to have, live or dead ship alike: R plays again, P
// pauses and resumes, F11 and Alt+Enter switch full screen, F9 shows or hides the data
// problems. False for every other key.
bool DesktopCommand(SDLKey key, SDLMod mod, GameCommand& command) {
    if (key == SDLK_r) {
        command = Command(CommandKind::Restart);
    } else if (key == SDLK_p) {
        command = Command(CommandKind::TogglePause);
    } else if (key == SDLK_F11 || (key == SDLK_RETURN && (mod & KMOD_ALT))) {
        command = Command(CommandKind::ToggleFullScreen);
    } else if (key == SDLK_F9) {
        command = Command(CommandKind::ToggleProblems);
    } else {
        return false;
    }
    return true;
}

// The ship's key bindings, pressed; false for a key that has none.
bool ShipCommand(SDLKey key, GameCommand& command) {
    Vector2 step;
    if (DirectionOf(key, step)) {
        command = Command(CommandKind::Steer);
        command.step = step;
    } else if (key >= SDLK_1 && key <= SDLK_4) {
        command = Command(CommandKind::Weapon);
        command.level = key - SDLK_1;
    } else if (key == SDLK_SPACE) {
        command = Command(CommandKind::Fire);
        command.on = true;
    } else if (key == SDLK_m) {
        command = Command(CommandKind::Ring);
    } else if (key == SDLK_n) {
        command = Command(CommandKind::ToggleBlur);
    } else {
        return false;
    }
    return true;
}

}  // namespace

void InputMapping::Handle(const SDL_Event& event, CommandSink& sink) {
    switch (event.type) {
        case SDL_QUIT:
            sink.Execute(Command(CommandKind::Quit));
            break;
        case SDL_KEYDOWN:
            KeyDown(event.key.keysym.sym, event.key.keysym.mod, sink);
            break;
        case SDL_KEYUP:
            KeyUp(event.key.keysym.sym, sink);
            break;
        case SDL_MOUSEMOTION:
            Pointer(event.motion.x, event.motion.y, 7, sink);
            break;
        case SDL_MOUSEBUTTONDOWN:
            Pointer(event.button.x, event.button.y, MouseKind(event.button.button, true), sink);
            break;
        case SDL_MOUSEBUTTONUP:
            Pointer(event.button.x, event.button.y, MouseKind(event.button.button, false), sink);
            break;
        case SDL_ACTIVEEVENT:
            if (event.active.gain == 0 &&
                (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0) {
                sink.Execute(Command(CommandKind::FocusLost));
            }
            break;
        default:
            m_gamepad.Handle(event, sink);
            break;
    }
}

void InputMapping::KeyDown(SDLKey key, SDLMod mod, CommandSink& sink) {
    if (key == SDLK_ESCAPE) {
        sink.Execute(Command(CommandKind::Quit));
        return;
    }
    // Muting works on every screen, with or without a ship.
    if (key == SDLK_v) {
        sink.Execute(Command(CommandKind::ToggleMute));
    }
    GameCommand command;
    if (DesktopCommand(key, mod, command) || ShipCommand(key, command)) {
        sink.Execute(command);
    }
    ForwardKey(key, 1);
}

void InputMapping::KeyUp(SDLKey key, CommandSink& sink) {
    Vector2 step;
    if (DirectionOf(key, step)) {
        GameCommand command = Command(CommandKind::Steer);
        command.step = Vector2(0.0f, 0.0f) - step;
        sink.Execute(command);
    } else if (key == SDLK_SPACE) {
        GameCommand command = Command(CommandKind::Fire);
        command.on = false;
        sink.Execute(command);
    }
    ForwardKey(key, 2);
}

// The interface counts y upwards from the bottom edge, like the drawing coordinates.
void InputMapping::Pointer(int x, int y, int kind, const CommandSink& sink) {
    sink.ToInterface(x, y);
    GUIMouseInput input;
    input.x = x;
    input.y = y;
    input.kind = kind;
    CGUI::GetInstance()->HandleMouse(input);
}
