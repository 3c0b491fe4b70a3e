#include "core/ShooterWorld.h"

bool ShooterWorld::HandleEvent(IEvent* /*event*/) {
    return false;
}
