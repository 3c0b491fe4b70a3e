// The world's game-flow handler, driven through the event manager as in the game: pause and
// quit commands, the pause event, a lost life and the last one.

#include <gtest/gtest.h>

#include <memory>

#include "events/GUIEvent.h"
#include "events/PauseEvent.h"
#include "events/PlayerDeathEvent.h"
#include "events/PlayerNoMoreLivesEvent.h"
#include "game/ShooterCamera.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "gui/CGUILayer.h"
#include "resources/CAnimation.h"
#include "resources/CSprite.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "unit/GUITestSupport.h"
#include "world/ShooterWorld.h"

namespace {

class GameFlowTest : public InterfaceTest {
protected:
    void SetUp() override {
        InterfaceTest::SetUp();
        m_world = ShooterWorld::GetInstance();
        CEventManager* events = CEventManager::GetInstance();
        for (const EventType* type : {&Event_Shooter_Pause, &Event_Shooter_PlayerDeath,
                                      &Event_Shooter_PlayerNoMoreLives, &Event_Shooter_GUIEvent}) {
            events->AddListener(m_world, *type);
        }
        m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
        m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
        // A configured explosion: the manager starts none without its resources.
        m_world->Level().Explosions()->m_sprite = &m_explosionSprite;
        m_world->Level().Explosions()->m_animation = &m_explosionAnimation;
        m_world->Level().Explosions()->m_duration = 500;
        m_world->Session().SetGameOverLayer("gameover");
        m_gui->LoadLayerSet(m_dir.Write(
            "set.xml", "<layerset><layer name=\"hud\"/><layer name=\"gameover\"/></layerset>"));
        m_gui->SetActiveLayer("hud");
    }

    void Queue(IEvent* event) { ASSERT_TRUE(CEventManager::GetInstance()->QueueEvent(event)); }
    void Tick() { CEventManager::GetInstance()->Tick(); }
    std::string ActiveLayer() const { return m_gui->GetActiveLayer()->GetName(); }

    TempDir m_dir;
    CSprite m_explosionSprite;
    CAnimation m_explosionAnimation;
    CGUI* m_gui = CGUI::GetInstance();
    ShooterWorld* m_world = nullptr;
};

TEST_F(GameFlowTest, TheGameStartsPausedAndPauseToggles) {
    EXPECT_TRUE(m_world->Session().IsPaused());
    Queue(new GUIEvent("pause"));
    Tick();
    EXPECT_FALSE(m_world->Session().IsPaused());
    Queue(new GUIEvent("pause"));
    Tick();
    EXPECT_TRUE(m_world->Session().IsPaused());
}

TEST_F(GameFlowTest, TwoPauseCommandsInOneTickCancelOut) {
    Queue(new GUIEvent("pause"));
    Queue(new GUIEvent("pause"));
    Tick();
    EXPECT_TRUE(m_world->Session().IsPaused());
}

TEST_F(GameFlowTest, QuitCommandSetsTheQuitFlag) {
    Queue(new GUIEvent("quit"));
    Tick();
    EXPECT_TRUE(m_world->Session().IsQuit());
    EXPECT_TRUE(m_world->Session().IsPaused());
}

TEST_F(GameFlowTest, OtherCommandsAreIgnoredAndComparedExactly) {
    Queue(new GUIEvent("Pause"));
    Queue(new GUIEvent("QUIT"));
    Queue(new GUIEvent("gameover"));
    Tick();
    EXPECT_TRUE(m_world->Session().IsPaused());
    EXPECT_FALSE(m_world->Session().IsQuit());
    EXPECT_EQ(ActiveLayer(), "hud");
}

TEST_F(GameFlowTest, PauseEventSetsThePausedState) {
    Queue(new PauseEvent(false));
    Tick();
    EXPECT_FALSE(m_world->Session().IsPaused());
    Queue(new PauseEvent(false));
    Tick();
    EXPECT_FALSE(m_world->Session().IsPaused());
    Queue(new PauseEvent(true));
    Tick();
    EXPECT_TRUE(m_world->Session().IsPaused());
}

TEST_F(GameFlowTest, TheWorldNeverConsumesAnEvent) {
    GUIEvent command("pause");
    EXPECT_FALSE(m_world->HandleEvent(&command));
    PlayerNoMoreLivesEvent last;
    EXPECT_FALSE(m_world->HandleEvent(&last));
    EXPECT_FALSE(m_world->HandleEvent(nullptr));
}

TEST_F(GameFlowTest, DeathWhileFiringExplodesStopsFiringAndStartsTheRespawn) {
    // An explosion manager with something to show.
    ShooterExplosionManager& explosions = *m_world->Level().Explosions();
    explosions.m_sprite = AddTestSprite("boom", 32, 32);
    explosions.m_animation = new CAnimation();
    CAnimationManager::GetInstance()->AddAnimation(explosions.m_animation);
    explosions.m_duration = 300;
    ShooterPlayer& player = *m_world->Level().Player();
    player.m_position = Vector2(120.0f, 80.0f);
    player.m_dead = true;
    m_world->Level().SetFiring(true);
    Queue(new PlayerDeathEvent());
    Tick();
    ASSERT_EQ(m_world->Level().Explosions()->m_explosions.size(), 1u);
    EXPECT_EQ(m_world->Level().Explosions()->m_explosions[0]->m_position.x, 120.0f);
    EXPECT_EQ(m_world->Level().Explosions()->m_explosions[0]->m_position.y, 80.0f);
    EXPECT_FALSE(m_world->Level().IsFiring());
    EXPECT_TRUE(player.m_respawning);
    EXPECT_EQ(player.m_respawnTimer, 0);
    EXPECT_EQ(ActiveLayer(), "hud");
}

TEST_F(GameFlowTest, DeathEventForALivingShipDoesNothing) {
    m_world->Level().SetFiring(true);
    Queue(new PlayerDeathEvent());
    Tick();
    EXPECT_TRUE(m_world->Level().IsFiring());
    EXPECT_FALSE(m_world->Level().Player()->m_respawning);
    EXPECT_TRUE(m_world->Level().Explosions()->m_explosions.empty());
}

TEST_F(GameFlowTest, FiringStaysOffAfterTheRespawnUntilSpaceIsPressedAgain) {
    m_world->Level().SetFiring(true);
    m_world->Level().Player()->m_dead = true;
    Queue(new PlayerDeathEvent());
    Tick();
    m_world->Level().Player()->m_dead = false;
    EXPECT_FALSE(m_world->Level().IsFiring());
    SDL_Event release{};
    release.type = SDL_KEYUP;
    release.key.keysym.sym = SDLK_SPACE;
    m_world->HandleSDLEvent(release);
    SDL_Event press{};
    press.type = SDL_KEYDOWN;
    press.key.keysym.sym = SDLK_SPACE;
    m_world->HandleSDLEvent(press);
    EXPECT_TRUE(m_world->Level().IsFiring());
}

TEST_F(GameFlowTest, NoMoreLivesShowsTheGameOverLayerAndNothingElse) {
    m_world->Level().Player()->m_dead = true;
    m_world->Level().Player()->m_lives = 0;
    m_world->Level().SetFiring(true);
    m_world->Session().SetPaused(false);
    Queue(new PlayerNoMoreLivesEvent());
    Tick();
    EXPECT_EQ(ActiveLayer(), "gameover");
    EXPECT_TRUE(m_world->Level().IsFiring());
    EXPECT_FALSE(m_world->Session().IsPaused());
    EXPECT_FALSE(m_world->Level().Player()->m_respawning);
}

TEST_F(GameFlowTest, UnknownGameOverLayerKeepsTheActiveLayer) {
    m_world->Session().SetGameOverLayer("nosuch");
    Queue(new PlayerNoMoreLivesEvent());
    Tick();
    EXPECT_EQ(ActiveLayer(), "hud");
}

TEST_F(GameFlowTest, ShutdownReleasesEverythingTheWorldHolds) {
    m_world->Level().SetCamera(std::make_unique<ShooterCamera>());
    Queue(new GUIEvent("pause"));
    m_world->Shutdown();
    EXPECT_EQ(m_world->Level().Player(), nullptr);
    EXPECT_EQ(m_world->Level().Camera(), nullptr);
    EXPECT_EQ(m_world->Level().Explosions(), nullptr);
    EXPECT_TRUE(m_world->Level().EnemyList().empty());
    EXPECT_TRUE(m_world->Level().ProjectileList().empty());
    EXPECT_EQ(m_gui->GetActiveLayer(), nullptr);
    // The queued command went with the event manager's shutdown.
    Tick();
    EXPECT_TRUE(m_world->Session().IsPaused());
}

// The event manager outlives the world: after Shutdown no event may reach it.
TEST_F(GameFlowTest, ShutdownTakesTheWorldOffEveryListenerList) {
    m_world->Shutdown();
    GUIEvent pause("pause");
    CEventManager::GetInstance()->Trigger(&pause);
    EXPECT_TRUE(m_world->Session().IsPaused());
    for (const EventType* type : {&Event_Shooter_Pause, &Event_Shooter_PlayerDeath,
                                  &Event_Shooter_PlayerNoMoreLives, &Event_Shooter_GUIEvent}) {
        EXPECT_FALSE(CEventManager::GetInstance()->DelListener(m_world, *type))
            << type->GetName() << " still lists the world";
    }
}

// A problem met on every frame is written once while the game runs; the shutdown adds how
// often it came again.
TEST_F(GameFlowTest, ShutdownWritesTheCountsOfRepeatedProblems) {
    CSprite sprite;
    sprite.m_loaded = true;
    sprite.m_name = "ship";
    sprite.m_numFrames = sprite.m_columns = 1;
    sprite.m_frameWidth = sprite.m_frameHeight = sprite.m_imageWidth = sprite.m_imageHeight = 8;
    LogCapture log;
    for (int frame = 0; frame < 3; ++frame) {
        sprite.Draw(Vector2(), Vector2(1, 1), 0, 9, 0, 1);
    }
    EXPECT_EQ(log.Text(), "CSprite: Frame: 9 not in range of sprite ship\n");
    m_world->Shutdown();
    EXPECT_EQ(log.Text(),
              "CSprite: Frame: 9 not in range of sprite ship\n"
              "\"CSprite: Frame: 9 not in range of sprite ship\" repeated 2 more times\n");
}

TEST_F(GameFlowTest, ShutdownWithoutALevelStillUnloadsTheInterface) {
    m_world->Level().SetPlayer(nullptr);
    m_world->Level().SetExplosions(nullptr);
    m_world->Level().ProjectileList().emplace_back(nullptr);
    m_world->Shutdown();
    EXPECT_TRUE(m_world->Level().ProjectileList().empty());
    EXPECT_EQ(m_gui->GetActiveLayer(), nullptr);
}

}  // namespace
