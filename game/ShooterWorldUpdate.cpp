#include "core/ShooterWorld.h"
#include "events/CEventManager.h"

void ShooterWorld::UpdateWorld(float& /*dt*/) {
    CEventManager::GetInstance()->Tick();
}
