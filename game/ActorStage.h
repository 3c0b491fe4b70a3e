#pragma once
// What the actors and the interface need of the world they live in: the camera, the
// background, the player ship, the best score kept, and somewhere to hand the projectiles
// they fire. The world implements it and registers itself for its whole lifetime, so the lower
// layers reach the world through this narrow interface instead of including it.

#include <cstdint>

class ShooterBackground;
class ShooterCamera;
class ShooterEnemy;
class ShooterPlayer;
class ShooterProjectile;

class ActorStage {
public:
    virtual ~ActorStage() = default;

    // Each may be null: a world without a level has none of them.
    virtual ShooterCamera* GetCamera() const = 0;
    virtual ShooterBackground* GetBackground() const = 0;
    virtual ShooterPlayer* GetPlayer() const = 0;
    // Takes ownership of the projectile.
    virtual void AddProjectile(ShooterProjectile* projectile) = 0;
    // The best score kept from earlier games; 0 when none is kept.
    virtual int32_t GetBestScore() const { return 0; }
    // The boss in play (the first, when several are), or null when none is.
    virtual const ShooterEnemy* GetBoss() const { return nullptr; }

    // The registered stage, or null when no world exists.
    static ActorStage* Current() { return s_current; }
    // Null-safe shortcuts for the actors: no stage reads as an empty world.
    static ShooterCamera* Camera() { return s_current ? s_current->GetCamera() : nullptr; }
    static ShooterBackground* Background() {
        return s_current ? s_current->GetBackground() : nullptr;
    }
    static ShooterPlayer* Player() { return s_current ? s_current->GetPlayer() : nullptr; }
    static int32_t BestScore() { return s_current ? s_current->GetBestScore() : 0; }
    static const ShooterEnemy* Boss() { return s_current ? s_current->GetBoss() : nullptr; }
    // Hands the projectile to the stage; with no stage there is no owner and it is deleted.
    static void Launch(ShooterProjectile* projectile);

protected:
    // The world registers itself when made and withdraws when destroyed.
    static void Register(ActorStage* stage) { s_current = stage; }
    static void Withdraw(const ActorStage* stage) {
        if (s_current == stage) {
            s_current = nullptr;
        }
    }

private:
    static inline ActorStage* s_current = nullptr;
};
