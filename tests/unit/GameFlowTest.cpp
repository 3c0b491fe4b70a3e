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
        m_world->m_player = std::make_unique<ShooterPlayer>();
        m_world->m_explosions = std::make_unique<ShooterExplosionManager>();
        // A configured explosion: the manager starts none without its resources.
        m_world->m_explosions->m_sprite = &m_explosionSprite;
        m_world->m_explosions->m_animation = &m_explosionAnimation;
        m_world->m_explosions->m_duration = 500;
        m_world->m_gameOverLayer = "gameover";
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
    EXPECT_TRUE(m_world->m_paused);
    Queue(new GUIEvent("pause"));
    Tick();
    EXPECT_FALSE(m_world->m_paused);
    Queue(new GUIEvent("pause"));
    Tick();
    EXPECT_TRUE(m_world->m_paused);
}

TEST_F(GameFlowTest, TwoPauseCommandsInOneTickCancelOut) {
    Queue(new GUIEvent("pause"));
    Queue(new GUIEvent("pause"));
    Tick();
    EXPECT_TRUE(m_world->m_paused);
}

TEST_F(GameFlowTest, QuitCommandSetsTheQuitFlag) {
    Queue(new GUIEvent("quit"));
    Tick();
    EXPECT_TRUE(m_world->m_quit);
    EXPECT_TRUE(m_world->m_paused);
}

TEST_F(GameFlowTest, OtherCommandsAreIgnoredAndComparedExactly) {
    Queue(new GUIEvent("Pause"));
    Queue(new GUIEvent("QUIT"));
    Queue(new GUIEvent("gameover"));
    Tick();
    EXPECT_TRUE(m_world->m_paused);
    EXPECT_FALSE(m_world->m_quit);
    EXPECT_EQ(ActiveLayer(), "hud");
}

TEST_F(GameFlowTest, PauseEventSetsThePausedState) {
    Queue(new PauseEvent(false));
    Tick();
    EXPECT_FALSE(m_world->m_paused);
    Queue(new PauseEvent(false));
    Tick();
    EXPECT_FALSE(m_world->m_paused);
    Queue(new PauseEvent(true));
    Tick();
    EXPECT_TRUE(m_world->m_paused);
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
    ShooterExplosionManager& explosions = *m_world->m_explosions;
    explosions.m_sprite = AddTestSprite("boom", 32, 32);
    explosions.m_animation = new CAnimation();
    CAnimationManager::GetInstance()->AddAnimation(explosions.m_animation);
    explosions.m_duration = 300;
    ShooterPlayer& player = *m_world->m_player;
    player.m_position = Vector2(120.0f, 80.0f);
    player.m_dead = true;
    m_world->m_firing = true;
    Queue(new PlayerDeathEvent());
    Tick();
    ASSERT_EQ(m_world->m_explosions->m_explosions.size(), 1u);
    EXPECT_EQ(m_world->m_explosions->m_explosions[0]->m_position.x, 120.0f);
    EXPECT_EQ(m_world->m_explosions->m_explosions[0]->m_position.y, 80.0f);
    EXPECT_FALSE(m_world->m_firing);
    EXPECT_TRUE(player.m_respawning);
    EXPECT_EQ(player.m_respawnTimer, 0);
    EXPECT_EQ(ActiveLayer(), "hud");
}

TEST_F(GameFlowTest, DeathEventForALivingShipDoesNothing) {
    m_world->m_firing = true;
    Queue(new PlayerDeathEvent());
    Tick();
    EXPECT_TRUE(m_world->m_firing);
    EXPECT_FALSE(m_world->m_player->m_respawning);
    EXPECT_TRUE(m_world->m_explosions->m_explosions.empty());
}

TEST_F(GameFlowTest, FiringStaysOffAfterTheRespawnUntilSpaceIsPressedAgain) {
    m_world->m_firing = true;
    m_world->m_player->m_dead = true;
    Queue(new PlayerDeathEvent());
    Tick();
    m_world->m_player->m_dead = false;
    EXPECT_FALSE(m_world->m_firing);
    SDL_Event release{};
    release.type = SDL_KEYUP;
    release.key.keysym.sym = SDLK_SPACE;
    m_world->HandleSDLEvent(release);
    SDL_Event press{};
    press.type = SDL_KEYDOWN;
    press.key.keysym.sym = SDLK_SPACE;
    m_world->HandleSDLEvent(press);
    EXPECT_TRUE(m_world->m_firing);
}

TEST_F(GameFlowTest, NoMoreLivesShowsTheGameOverLayerAndNothingElse) {
    m_world->m_player->m_dead = true;
    m_world->m_player->m_lives = 0;
    m_world->m_firing = true;
    m_world->m_paused = false;
    Queue(new PlayerNoMoreLivesEvent());
    Tick();
    EXPECT_EQ(ActiveLayer(), "gameover");
    EXPECT_TRUE(m_world->m_firing);
    EXPECT_FALSE(m_world->m_paused);
    EXPECT_FALSE(m_world->m_player->m_respawning);
}

TEST_F(GameFlowTest, UnknownGameOverLayerKeepsTheActiveLayer) {
    m_world->m_gameOverLayer = "nosuch";
    Queue(new PlayerNoMoreLivesEvent());
    Tick();
    EXPECT_EQ(ActiveLayer(), "hud");
}

TEST_F(GameFlowTest, ShutdownReleasesEverythingTheWorldHolds) {
    m_world->m_camera = std::make_unique<ShooterCamera>();
    Queue(new GUIEvent("pause"));
    m_world->Shutdown();
    EXPECT_EQ(m_world->m_player, nullptr);
    EXPECT_EQ(m_world->m_camera, nullptr);
    EXPECT_EQ(m_world->m_explosions, nullptr);
    EXPECT_TRUE(m_world->m_enemies.empty());
    EXPECT_TRUE(m_world->m_projectiles.empty());
    EXPECT_EQ(m_gui->GetActiveLayer(), nullptr);
    // The queued command went with the event manager's shutdown.
    Tick();
    EXPECT_TRUE(m_world->m_paused);
}

// The event manager outlives the world: after Shutdown no event may reach it.
TEST_F(GameFlowTest, ShutdownTakesTheWorldOffEveryListenerList) {
    m_world->Shutdown();
    GUIEvent pause("pause");
    CEventManager::GetInstance()->Trigger(&pause);
    EXPECT_TRUE(m_world->m_paused);
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
    m_world->m_player.reset();
    m_world->m_explosions.reset();
    m_world->m_projectiles.emplace_back(nullptr);
    m_world->Shutdown();
    EXPECT_TRUE(m_world->m_projectiles.empty());
    EXPECT_EQ(m_gui->GetActiveLayer(), nullptr);
}

}  // namespace
