#include "world/ShooterWorld.h"

#include <exception>

#include "core/Log.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"

uint32_t g_lastFireTime = 0;

ShooterWorld::ShooterWorld() {
    Register(this);
}

ShooterWorld::~ShooterWorld() {
    Withdraw(this);
}

void ShooterWorld::Update(float& dt) {
    try {
        if (m_motionBlur) {
            m_frameSlot = (m_frameSlot + 1) % 4;
            // The new current slot's older slots now include the one drawn last tick.
            m_ringBlender.Invalidate();
            UpdateWorld(dt);
        }
        UpdateWorld(dt);
    } catch (const std::exception& e) {
        LogMessage("Exception found: %s\n", e.what());
    } catch (const std::exception* e) {
        LogMessage("Exception found: %s\n", e ? e->what() : "");
    }
    UpdateMusic();
}

void ShooterWorld::AddProjectile(ShooterProjectile* projectile) {
    m_projectiles.emplace_back(projectile);
}
