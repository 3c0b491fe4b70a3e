#include "world/InputMapping.h"

#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
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

// The active layer, when it takes the keys and the pad (the options screen).
const CGUILayer* NavigatingLayer() {
    const CGUILayer* layer = CGUI::GetInstance()->GetActiveLayer();
    return layer && layer->Navigates() ? layer : nullptr;
}

void ForwardButton(int button) {
    GUIKeyInput input;
    input.kind = 1;
    input.button = button;
    CGUI::GetInstance()->HandleKey(input);
}

}  // namespace

bool InputMapping::ToNavigation(const SDL_Event& event) {
    const CGUILayer* layer = NavigatingLayer();
    switch (event.type) {
        case SDL_KEYDOWN: {
            const SDLKey key = event.key.keysym.sym;
            const bool global = key == SDLK_F11 || key == SDLK_F12 ||
                                (key == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT));
            if (!layer || (global && !layer->IsCapturing())) {
                return false;
            }
            m_navigationKeys.set(key);
            ForwardKey(key, 1);
            return true;
        }
        case SDL_KEYUP:
            if (!m_navigationKeys.test(event.key.keysym.sym)) {
                return false;
            }
            m_navigationKeys.reset(event.key.keysym.sym);
            ForwardKey(event.key.keysym.sym, 2);
            return true;
        case SDL_JOYBUTTONDOWN:
            if (!layer || event.jbutton.button >= m_navigationButtons.size()) {
                return false;
            }
            m_navigationButtons.set(event.jbutton.button);
            ForwardButton(event.jbutton.button);
            return true;
        case SDL_JOYBUTTONUP:
            if (event.jbutton.button >= m_navigationButtons.size() ||
                !m_navigationButtons.test(event.jbutton.button)) {
                return false;
            }
            m_navigationButtons.reset(event.jbutton.button);
            return true;
        case SDL_JOYHATMOTION:
            if (!layer) {
                return false;
            }
            if (event.jhat.value & (SDL_HAT_UP | SDL_HAT_DOWN)) {
                ForwardKey((event.jhat.value & SDL_HAT_UP) ? SDLK_UP : SDLK_DOWN, 1);
            } else if (event.jhat.value & (SDL_HAT_LEFT | SDL_HAT_RIGHT)) {
                ForwardKey((event.jhat.value & SDL_HAT_LEFT) ? SDLK_LEFT : SDLK_RIGHT, 1);
            }
            return true;
        default:
            return false;
    }
}

void InputMapping::Handle(const SDL_Event& event, CommandSink& sink) {
    if (ToNavigation(event)) {
        return;
    }
    switch (event.type) {
        case SDL_QUIT:
            sink.Execute(Command(CommandKind::Quit));
            break;
        case SDL_KEYDOWN:
            KeyDown(event.key.keysym.sym, static_cast<SDLMod>(event.key.keysym.mod), sink);
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
