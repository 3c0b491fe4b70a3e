#pragma once
// The level in play: its actors (camera, ship, background, enemies, projectiles, explosions),
// its clock and the rules step that moves them and decides every contact. It is the stage the
// actors reach through ActorStage while it exists, and needs neither a window nor the world:
// the rules tests run on it alone.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/ActorStage.h"
#include "game/Difficulty.h"
#include "game/GameCommand.h"
#include "game/LevelLoader.h"

class BoundingBox;
class ScoreTable;
class ShooterBackground;
class ShooterCamera;
class ShooterEnemy;
class ShooterExplosionManager;
class ShooterPlayer;
class ShooterProjectile;

// Told by the rules step when the last enemy is gone with the ship still in the game.
class LevelOutcome {
public:
    virtual ~LevelOutcome() = default;
    virtual void LevelCleared() = 0;
};

class LevelPlay : public ActorStage {
public:
    using Enemies = std::vector<std::unique_ptr<ShooterEnemy>>;
    using Projectiles = std::vector<std::unique_ptr<ShooterProjectile>>;

    // Registers itself as the actors' stage, withdraws when destroyed.
    LevelPlay();
    ~LevelPlay() override;
    LevelPlay(const LevelPlay&) = delete;
    LevelPlay& operator=(const LevelPlay&) = delete;

    // Builds camera, player, background and enemies from a level file; false (logged) when the
    // file cannot be played, and the level in play stays.
    bool Load(const std::string& fileName);
    // Play again: reads the level file (SetFile) anew (a file that no longer loads keeps the
    // level in play), drops the projectiles and explosions and a prepared next level, stops
    // firing and resets the clock to a game not started. False when the file did not load.
    bool Reload();
    // A campaign's next level, read aside while the level in play goes on. False when the
    // file cannot be played (the level loader logged why) or has no ship to fly.
    bool PrepareNext(const std::string& fileName);
    // The prepared level takes the place of the level in play, its file becoming the level
    // file: the ship keeps its score and its ships but starts afresh (full health, the new
    // level's start position); shots and explosions in flight go, firing stops, and the level
    // clock starts at clock reading start. False, changing nothing, when none is prepared.
    bool EnterNext(uint32_t start);
    // One step of the rules, dt milliseconds: clock, movement, terrain, fire, enemies,
    // projectiles. outcome (may be null) hears of a cleared level.
    void Step(float& dt, LevelOutcome* outcome);
    // A ship command (see GameCommand::IsShipCommand); ignored without a living ship.
    // ToggleBlur is the world's and is not handled here.
    void Apply(const GameCommand& command);
    // The ship lost a life: it explodes, stops firing and starts coming back. Nothing for a
    // ship that is already back, or none.
    void HandleShipDeath();
    // A living ship takes the ship commands.
    bool ShipTakesInput() const;
    // The level clock has started: the game is in play (running or paused).
    bool InPlay() const;
    // The game is over: the ship is dead, has no life left and is not coming back.
    bool IsGameOver() const;

    // ActorStage.
    ShooterCamera* GetCamera() const override { return m_camera.get(); }
    ShooterPlayer* GetPlayer() const override { return m_player.get(); }
    ShooterBackground* GetBackground() const override { return m_background.get(); }
    void AddProjectile(ShooterProjectile* projectile) override;
    int32_t GetBestScore() const override;
    const ShooterEnemy* GetBoss() const override;
    // The difficulty every level loaded from now on is played at (normal until set): it scales
    // the enemies and sets the ships a freshly loaded ship starts with.
    void SetDifficulty(const Difficulty& difficulty) { m_difficulty = difficulty; }
    const Difficulty& GetDifficulty() const { return m_difficulty; }
    // The table the best score is read from (may be null: none kept).
    void SetScoreTable(const ScoreTable* scores) { m_scores = scores; }

    ShooterCamera* Camera() const { return m_camera.get(); }
    ShooterPlayer* Player() const { return m_player.get(); }
    ShooterBackground* Background() const { return m_background.get(); }
    ShooterExplosionManager* Explosions() const { return m_explosions.get(); }
    Enemies& EnemyList() { return m_enemies; }
    const Enemies& EnemyList() const { return m_enemies; }
    Projectiles& ProjectileList() { return m_projectiles; }
    const Projectiles& ProjectileList() const { return m_projectiles; }
    void SetCamera(std::unique_ptr<ShooterCamera> camera);
    void SetPlayer(std::unique_ptr<ShooterPlayer> player);
    void SetBackground(std::unique_ptr<ShooterBackground> background);
    void SetExplosions(std::unique_ptr<ShooterExplosionManager> explosions);
    // Releases every actor, the explosions too (before the resources they borrow go).
    void ReleaseActors();

    const std::string& Name() const { return m_name; }
    const std::string& Music() const { return m_music; }  // "" for none
    void SetMusic(const std::string& music) { m_music = music; }
    const std::string& File() const { return m_file; }    // "" until a level was loaded
    void SetFile(const std::string& file) { m_file = file; }
    bool IsFiring() const { return m_firing; }
    void SetFiring(bool firing) { m_firing = firing; }
    // Clock reading when play started (0: not started) and milliseconds since then.
    uint32_t Start() const { return m_start; }
    void SetStart(uint32_t start) { m_start = start; }
    int32_t Time() const { return m_time; }
    void SetTime(int32_t time) { m_time = time; }
    // Clock reading taken just after the ship's last volley.
    uint32_t LastFireTime() const { return m_lastFireTime; }
    void SetLastFireTime(uint32_t time) { m_lastFireTime = time; }

private:
    struct ShotTarget;
    // Takes the actors, name and music of a level that loaded.
    void TakeParts(LevelLoader::Parts& parts);
    void StartClock();
    void MoveScene(float& dt);
    void HitTerrain();
    void FireWeapon();
    void DamageShip(int damage);
    void UpdateEnemies(const BoundingBox& shipBox, float& dt, LevelOutcome* outcome);
    void PlayEnemy(ShooterEnemy& enemy, const BoundingBox& shipBox,
                   std::vector<ShotTarget>& shipShots, float& dt);
    void HitEnemyWithShots(ShooterEnemy& enemy, std::vector<ShotTarget>& targets);
    std::vector<ShotTarget>& GatherShipShots() const;
    void EraseShot(const ShooterProjectile* shot);
    void UpdateProjectiles(float& dt);

    std::string m_name;
    std::string m_music;
    std::string m_file;
    std::unique_ptr<ShooterCamera> m_camera;
    std::unique_ptr<ShooterPlayer> m_player;
    std::unique_ptr<ShooterBackground> m_background;
    Enemies m_enemies;
    Projectiles m_projectiles;
    std::unique_ptr<ShooterExplosionManager> m_explosions;
    // A campaign's next level, read by PrepareNext and not yet in play; null when none.
    std::unique_ptr<LevelLoader::Parts> m_next;
    std::string m_nextFile;
    int32_t m_time = 0;
    uint32_t m_start = 0;
    uint32_t m_lastFireTime = 0;
    bool m_firing = false;
    const ScoreTable* m_scores = nullptr;
    Difficulty m_difficulty;
};
