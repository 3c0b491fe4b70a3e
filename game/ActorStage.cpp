#include "game/ActorStage.h"

#include "game/ShooterProjectile.h"

void ActorStage::Launch(ShooterProjectile* projectile) {
    if (s_current) {
        s_current->AddProjectile(projectile);
    } else {
        delete projectile;
    }
}
