#include "world/InputMapping.h"

#include "gui/CGUI.h"
#include "gui/GUIInput.h"
#include "world/ActionCommand.h"

namespace {

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

void InputMapping::SetBindings(const KeyBindings& bindings) {
    m_bindings = bindings;
    m_gamepad.SetBindings(bindings);
}

// The quit key ends the game at once and is not passed on to the interface. Alt+Enter always
// switches full screen, whatever Enter is bound to; F12 takes a screenshot and F9 shows or
// hides the data problems, unless the player bound them to an action.
void InputMapping::KeyDown(SDLKey key, SDLMod mod, CommandSink& sink) {
    Action action = Action::Up;
    const bool bound = m_bindings.ActionOfKey(key, action);
    if (bound && action == Action::Quit) {
        sink.Execute(Command(CommandKind::Quit));
        return;
    }
    GameCommand command;
    if (key == SDLK_RETURN && (mod & KMOD_ALT)) {
        sink.Execute(Command(CommandKind::ToggleFullScreen));
    } else if (key == SDLK_F12 && !bound) {
        sink.Screenshot();
    } else if (key == SDLK_F9 && !bound) {
        sink.Execute(Command(CommandKind::ToggleProblems));
    } else if (bound && ActionCommand(action, true, command)) {
        sink.Execute(command);
    }
    ForwardKey(key, 1);
}

void InputMapping::KeyUp(SDLKey key, CommandSink& sink) {
    Action action = Action::Up;
    GameCommand command;
    if (m_bindings.ActionOfKey(key, action) && ActionCommand(action, false, command)) {
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
