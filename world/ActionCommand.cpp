#include "world/ActionCommand.h"

namespace {

// Velocity step of one direction, per press and (negated) per release.
constexpr float kMoveStep = 14.0f;

bool DirectionOf(Action action, Vector2& step) {
    switch (action) {
        case Action::Up:
            step = Vector2(0.0f, kMoveStep);
            return true;
        case Action::Down:
            step = Vector2(0.0f, -kMoveStep);
            return true;
        case Action::Left:
            step = Vector2(-kMoveStep, 0.0f);
            return true;
        case Action::Right:
            step = Vector2(kMoveStep, 0.0f);
            return true;
        default:
            return false;
    }
}

// The kind of the actions that act once, on the press.
bool PressKind(Action action, CommandKind& kind) {
    switch (action) {
        case Action::Ring:
            kind = CommandKind::Ring;
            return true;
        case Action::Blur:
            kind = CommandKind::ToggleBlur;
            return true;
        case Action::Mute:
            kind = CommandKind::ToggleMute;
            return true;
        case Action::Pause:
            kind = CommandKind::TogglePause;
            return true;
        case Action::Restart:
            kind = CommandKind::Restart;
            return true;
        case Action::FullScreen:
            kind = CommandKind::ToggleFullScreen;
            return true;
        case Action::Quit:
            kind = CommandKind::Quit;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool ActionCommand(Action action, bool pressed, GameCommand& command) {
    command = GameCommand();
    Vector2 step;
    if (DirectionOf(action, step)) {
        command.kind = CommandKind::Steer;
        command.step = pressed ? step : Vector2(0.0f, 0.0f) - step;
        return true;
    }
    if (action == Action::Fire) {
        command.kind = CommandKind::Fire;
        command.on = pressed;
        return true;
    }
    if (action >= Action::Weapon1 && action <= Action::Weapon4) {
        command.kind = CommandKind::Weapon;
        command.level = static_cast<int>(action) - static_cast<int>(Action::Weapon1);
        return pressed;
    }
    return pressed && PressKind(action, command.kind);
}
