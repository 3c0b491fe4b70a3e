// Cost of one unpaused ShooterWorld::UpdateWorld under load, against a bare loop that makes the
// same box-overlap tests over the same pairs: every enemy against every projectile, plus the
// ship against every projectile and every enemy.
//
// The world is built by hand, without a window or an OpenGL context: sprites with transparent
// corners registered with the sprite manager, a still camera, a ship, terrain at the bottom,
// animated enemies (half of them weaving) and projectiles of both sides, all standing still. The
// positions are drawn at random (fixed seed) and kept only where no contact would hit, so boxes
// overlap where sprites' transparent corners meet, the pixel test then runs and finds nothing,
// and the state stays the same from one update to the next. Only the projectiles' ages grow;
// they are reset between batches, outside the timing.
//
// Each benchmark iteration times a batch of 64 updates, then 64 bare loops, then 64 loops over
// packed copies of the boxes, on the thread's CPU clock (the machine is shared). The reported
// time is that of one batch of updates; the counters give, per update: update_us, bare_us,
// flat_us, their ratios vs_bare and vs_flat, tick_pct (share of the 30 ms tick), box_pairs
// (pairs the bare loop tests), pixel_tests (pairs whose boxes overlap, so the update runs the
// pixel test on them) and draw_calls (drawing calls made by the updates: must be 0).

#include <benchmark/benchmark.h>
#include <time.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "GLCallHooks.h"
#include "events/CEventManager.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "platform/Clock.h"
#include "resources/CAction.h"
#include "resources/CAnimation.h"
#include "resources/CKeyframe.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "world/ShooterWorld.h"

namespace {

// Updates per timed batch: long enough for the CPU clock's resolution, short enough that no
// projectile reaches its lifetime (3000 ms) at 31 ms per update.
constexpr int kBatch = 64;
constexpr float kTickMs = 31.0f;
constexpr double kTickBudgetMs = 30.0;

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// A clock that stands still: the level clock, firing and enemy fire read it.
class StillClock : public platform::IClock {
public:
    uint32_t Now() override { return 500000; }
};

// A sheet of frames of width x height whose pixels are opaque inside the inscribed ellipse
// and transparent outside it, as drawn craft and shots are: boxes can overlap at the corners
// without any pixel contact. Registered with the sprite manager under a fresh name.
CSprite* MakeEllipseSprite(const std::string& name, int width, int height, int frames) {
    auto sprite = std::make_unique<CSprite>();
    sprite->m_name = name;
    sprite->m_loaded = true;
    sprite->m_frameWidth = width;
    sprite->m_frameHeight = height;
    sprite->m_columns = 1;
    sprite->m_rows = frames;
    sprite->m_numFrames = frames;
    sprite->m_imageWidth = width;
    sprite->m_imageHeight = height * frames;
    sprite->m_pixels.assign(size_t(width) * height * frames * 4, 200);
    for (int y = 0; y < height * frames; ++y) {
        for (int x = 0; x < width; ++x) {
            const double dx = (x + 0.5 - width / 2.0) / (width / 2.0);
            const double dy = (y % height + 0.5 - height / 2.0) / (height / 2.0);
            const bool inside = dx * dx + dy * dy <= 1.0;
            sprite->m_pixels[(size_t(y) * width + x) * 4 + 3] = inside ? 255 : 0;
        }
    }
    CSprite* raw = sprite.get();
    CSpriteManager::GetInstance()->AddSprite(sprite.release());
    return raw;
}

// A two-frame looping "fly" action of 200 ms.
std::unique_ptr<CAnimation> MakeFlyAnimation() {
    auto animation = std::make_unique<CAnimation>();
    animation->m_name = "bench_fly";
    auto action = std::make_unique<CAction>();
    action->m_name = "fly";
    action->m_totalTime = 200;
    action->m_firstKeyframe = std::make_unique<CKeyframe>();
    action->m_firstKeyframe->m_next = std::make_unique<CKeyframe>();
    action->m_firstKeyframe->m_next->m_frameId = 1;
    action->m_firstKeyframe->m_next->m_time = 100;
    animation->m_actions.push_back(std::move(action));
    return animation;
}

// The two-stage contact test the world makes: boxes, then pixels.
bool Hits(const BoundingBox& boxA, const CSprite* a, const Vector2& posA, const BoundingBox& boxB,
          const CSprite* b, const Vector2& posB) {
    return boxA.Overlaps(boxB) && a->PixelCollide(b, posB - posA, 0, 0);
}

// The scene and the bare loops over it.
class LoadedWorld {
public:
    LoadedWorld(int enemies, int projectiles) : m_world(ShooterWorld::GetInstance()) {
        platform::SetClock(&m_clock);
        BuildScene();
        std::mt19937 random(20240611u + unsigned(enemies));
        for (int i = 0; i < enemies; ++i) {
            AddEnemy(random, i);
        }
        for (int i = 0; i < projectiles; ++i) {
            AddShot(random, i % 2 == 0);
        }
    }

    ~LoadedWorld() {
        m_world->Level().EnemyList().clear();
        m_world->Level().ProjectileList().clear();
        ShooterWorld::DestroyInstance();
        CEventManager::GetInstance()->Shutdown();
        platform::SetClock(nullptr);
    }

    void Update() {
        float dt = kTickMs;
        m_world->UpdateWorld(dt);
    }

    // The same box tests over the same objects, reached the same way (through the world's
    // lists), with nothing else done.
    int BareOverlaps() const {
        int overlaps = 0;
        const BoundingBox& ship = m_world->Level().Player()->m_box;
        for (const auto& enemy : m_world->Level().EnemyList()) {
            overlaps += ship.Overlaps(enemy->m_box);
            for (const auto& shot : m_world->Level().ProjectileList()) {
                overlaps += enemy->m_box.Overlaps(shot->m_box);
            }
        }
        for (const auto& shot : m_world->Level().ProjectileList()) {
            overlaps += ship.Overlaps(shot->m_box);
        }
        return overlaps;
    }

    // The same tests over packed copies of the boxes: the floor set by the arithmetic alone.
    int FlatOverlaps() const {
        int overlaps = 0;
        for (const BoundingBox& enemy : m_enemyBoxes) {
            overlaps += m_shipBox.Overlaps(enemy);
            for (const BoundingBox& shot : m_shotBoxes) {
                overlaps += enemy.Overlaps(shot);
            }
        }
        for (const BoundingBox& shot : m_shotBoxes) {
            overlaps += m_shipBox.Overlaps(shot);
        }
        return overlaps;
    }

    void CopyBoxes() {
        m_shipBox = m_world->Level().Player()->m_box;
        m_enemyBoxes.clear();
        m_shotBoxes.clear();
        for (const auto& enemy : m_world->Level().EnemyList()) {
            m_enemyBoxes.push_back(enemy->m_box);
        }
        for (const auto& shot : m_world->Level().ProjectileList()) {
            m_shotBoxes.push_back(shot->m_box);
        }
    }

    void ResetAges() {
        for (const auto& shot : m_world->Level().ProjectileList()) {
            shot->m_age = 0;
        }
    }

    // True while nothing was hit, removed, fired or killed.
    bool IsSteady(size_t enemies, size_t projectiles) const {
        const ShooterPlayer& ship = *m_world->Level().Player();
        return m_world->Level().EnemyList().size() == enemies && m_world->Level().ProjectileList().size() == projectiles &&
               ship.m_health == 100 && !ship.m_dead && ship.m_points == 0;
    }

    // Pairs whose boxes overlap: the number of pixel tests one update makes.
    int PixelTestedPairs() const {
        int pairs = 0;
        const ShooterPlayer& ship = *m_world->Level().Player();
        for (const auto& enemy : m_world->Level().EnemyList()) {
            pairs += ship.m_box.Overlaps(enemy->m_box);
            for (const auto& shot : m_world->Level().ProjectileList()) {
                pairs += shot->m_fromPlayer && enemy->m_box.Overlaps(shot->m_box);
            }
        }
        for (const auto& shot : m_world->Level().ProjectileList()) {
            pairs += !shot->m_fromPlayer && ship.m_box.Overlaps(shot->m_box);
        }
        return pairs;
    }

private:
    void BuildScene() {
        m_world->Level().SetCamera(std::make_unique<ShooterCamera>());
        m_world->Level().Camera()->m_size = Vector2(1024.0f, 512.0f);
        m_world->Level().SetBackground(std::make_unique<ShooterBackground>());
        ShooterBackground& background = *m_world->Level().Background();
        background.m_frontSprite = MakeEllipseSprite(Fresh("terrain"), 1024, 64, 1);
        background.m_frontBox = BoundingBox(0.0f, 1024.0f, 0.0f, 64.0f);
        m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
        m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
        ShooterPlayer& ship = *m_world->Level().Player();
        ship.m_sprite = MakeEllipseSprite(Fresh("ship"), 64, 32, 4);
        ship.m_animation = m_animation.get();
        ship.m_action = "fly";
        ship.m_animated = true;
        ship.m_scale = Vector2(1.0f, 1.0f);
        ship.m_startPosition = Vector2(120.0f, 240.0f);
        ship.SetPosition(ship.m_startPosition);
        m_enemySprite = MakeEllipseSprite(Fresh("enemy"), 48, 32, 2);
        m_playerShot = MakeEllipseSprite(Fresh("shot_player"), 24, 8, 1)->m_name;
        m_enemyShot = MakeEllipseSprite(Fresh("shot_enemy"), 14, 14, 1)->m_name;
        m_world->Session().SetPaused(false);
    }

    // The sprite manager keeps every sprite for the whole run and finds the first of a name,
    // so every scene registers its own under names no other scene uses.
    static std::string Fresh(const std::string& name) {
        static int count = 0;
        return "bench_" + name + std::to_string(++count);
    }

    // An active enemy standing still right of the ship, weaving in place every other one,
    // away from the ship and from the terrain.
    void AddEnemy(std::mt19937& random, int index) {
        std::uniform_real_distribution<float> x(320.0f, 976.0f);
        std::uniform_real_distribution<float> y(70.0f, 470.0f);
        auto enemy = std::make_unique<ShooterEnemy>();
        enemy->m_sprite = m_enemySprite;
        enemy->m_animation = m_animation.get();
        enemy->m_action = "fly";
        enemy->m_animated = true;
        enemy->m_scale = Vector2(1.0f, 1.0f);
        enemy->m_direction = Vector2(-1.0f, 0.0f);
        enemy->m_behaviour = index % 2;
        enemy->m_turnSpeed = 0.1f;
        enemy->m_health = 40;
        enemy->m_position = Vector2(x(random), y(random));
        enemy->m_active = true;
        enemy->UpdateBox();
        m_world->Level().EnemyList().push_back(std::move(enemy));
    }

    // A projectile standing still anywhere in the view where it touches nothing it could hit:
    // a player shot no enemy, an enemy shot not the ship.
    void AddShot(std::mt19937& random, bool fromPlayer) {
        std::uniform_real_distribution<float> x(0.0f, 1000.0f);
        std::uniform_real_distribution<float> y(64.0f, 498.0f);
        const std::string& sprite = fromPlayer ? m_playerShot : m_enemyShot;
        for (;;) {
            auto shot = std::make_unique<ShooterProjectile>(
                fromPlayer ? 40 : 20, Vector2(x(random), y(random)),
                Vector2(fromPlayer ? 1.0f : -1.0f, 0.0f), 0.0f, Vector2(1.0f, 1.0f), sprite,
                fromPlayer);
            if (!TouchesTarget(*shot)) {
                m_world->AddProjectile(shot.release());
                return;
            }
        }
    }

    bool TouchesTarget(const ShooterProjectile& shot) const {
        const ShooterPlayer& ship = *m_world->Level().Player();
        if (!shot.m_fromPlayer) {
            return Hits(ship.m_box, ship.m_sprite, ship.m_position, shot.m_box, shot.m_sprite,
                        shot.m_position);
        }
        for (const auto& enemy : m_world->Level().EnemyList()) {
            if (Hits(enemy->m_box, enemy->m_sprite, enemy->m_position, shot.m_box, shot.m_sprite,
                     shot.m_position)) {
                return true;
            }
        }
        return false;
    }

    StillClock m_clock;
    ShooterWorld* m_world;
    std::unique_ptr<CAnimation> m_animation = MakeFlyAnimation();
    CSprite* m_enemySprite = nullptr;
    std::string m_playerShot;
    std::string m_enemyShot;
    BoundingBox m_shipBox;
    std::vector<BoundingBox> m_enemyBoxes;
    std::vector<BoundingBox> m_shotBoxes;
};

// CPU seconds of one batch of each kind, summed over the iterations.
struct Timings {
    double update = 0.0;
    double bare = 0.0;
    double flat = 0.0;
};

// One batch of updates, then one of bare loops, then one of packed loops; returns the time of
// the updates.
double TimeBatches(LoadedWorld& scene, Timings& sums, int& sink) {
    scene.ResetAges();
    const double t0 = CpuSeconds();
    for (int i = 0; i < kBatch; ++i) {
        scene.Update();
    }
    const double t1 = CpuSeconds();
    for (int i = 0; i < kBatch; ++i) {
        sink += scene.BareOverlaps();
        benchmark::ClobberMemory();
    }
    const double t2 = CpuSeconds();
    for (int i = 0; i < kBatch; ++i) {
        sink += scene.FlatOverlaps();
        benchmark::ClobberMemory();
    }
    const double t3 = CpuSeconds();
    sums.update += t1 - t0;
    sums.bare += t2 - t1;
    sums.flat += t3 - t2;
    return t1 - t0;
}

void Report(benchmark::State& state, const Timings& sums, const LoadedWorld& scene, double boxPairs,
            long drawCalls) {
    const double updates = double(state.iterations()) * kBatch;
    const double updateUs = sums.update / updates * 1e6;
    state.counters["update_us"] = updateUs;
    state.counters["bare_us"] = sums.bare / updates * 1e6;
    state.counters["flat_us"] = sums.flat / updates * 1e6;
    state.counters["vs_bare"] = sums.update / sums.bare;
    state.counters["vs_flat"] = sums.update / sums.flat;
    state.counters["tick_pct"] = updateUs / (kTickBudgetMs * 1000.0) * 100.0;
    state.counters["box_pairs"] = boxPairs;
    state.counters["pixel_tests"] = scene.PixelTestedPairs();
    state.counters["draw_calls"] = double(drawCalls);
}

void BM_UpdateWorld(benchmark::State& state) {
    const size_t enemyCount = size_t(state.range(0));
    const size_t shotCount = size_t(state.range(1));
    LoadedWorld scene{int(enemyCount), int(shotCount)};
    scene.CopyBoxes();
    const long drawsBefore = glhooks::DrawCalls();
    Timings sums;
    int sink = 0;
    for (auto _ : state) {
        state.SetIterationTime(TimeBatches(scene, sums, sink));
        if (!scene.IsSteady(enemyCount, shotCount)) {
            state.SkipWithError("a contact changed the scene; the measurement is void");
            return;
        }
    }
    benchmark::DoNotOptimize(sink);
    const long drawCalls = glhooks::DrawCalls() - drawsBefore;
    if (drawCalls != 0) {
        state.SkipWithError("the world update drew something");
    }
    Report(state, sums, scene, double(enemyCount) * double(shotCount + 1) + double(shotCount),
           drawCalls);
}

}  // namespace

// The two loads of the measurement: 10 enemies and 100 projectiles, 100 and 1000.
BENCHMARK(BM_UpdateWorld)
    ->ArgNames({"enemies", "shots"})
    ->Args({10, 100})
    ->Args({100, 1000})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The parts of the small load: the fixed cost of an update, 100 projectiles alone and 10
// enemies alone. Their bare loops have (almost) no pairs, so only update_us means anything.
BENCHMARK(BM_UpdateWorld)
    ->Name("BM_UpdateWorldParts")
    ->ArgNames({"enemies", "shots"})
    ->Args({0, 0})
    ->Args({0, 100})
    ->Args({10, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
