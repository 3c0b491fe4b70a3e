// The world records the game played through its input: playing again writes last.gxr
// (verified on the same data) and keeps the best run beside the table; a folder that cannot
// be written costs one log line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tinyxml.h>

#include <memory>
#include <string>

#include "ReplaySupport.h"
#include "events/CEventManager.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "resources/CAnimationManager.h"
#include "resources/CSpriteManager.h"
#include "support/FakeClock.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/ReplayStore.h"
#include "world/ReplayVerifier.h"
#include "world/ShooterWorld.h"

namespace {

class WorldRecordingTest : public replaytest::InDataFolder {
protected:
    void SetUp() override {
        InDataFolder::SetUp();
        CSpriteManager::GetInstance()->LoadSpriteSet("sets/sprites.xml");
        CAnimationManager::GetInstance()->LoadAnimationSet("sets/animations.xml");
        world = ShooterWorld::GetInstance();
        // The explosions of config.xml, as the game's start-up reads them.
        TiXmlDocument config("config.xml");
        ASSERT_TRUE(config.LoadFile());
        auto explosions = std::make_unique<ShooterExplosionManager>();
        explosions->Load(TiXmlHandle(&config).FirstChild("config").FirstChild("explosioncfg"));
        world->Level().SetExplosions(std::move(explosions));
        world->Level().SetFile("levels/level1.xml");
        ASSERT_TRUE(world->LoadLevel(world->Level().File()));
        CEventManager::GetInstance()->AddListener(world, Event_Shooter_PlayerDeath);
    }
    void TearDown() override {
        ShooterWorld::DestroyInstance();
        CEventManager::GetInstance()->Shutdown();
        InDataFolder::TearDown();
    }

    void Key(SDLKey key, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = key;
        world->HandleSDLEvent(event);
    }

    // Replays go to folder from now on, and a game's recording begins.
    void RecordInto(const std::string& folder) {
        world->Recording().SetStore(std::make_unique<ReplayStore>(folder));
        world->Recording().Begin(world->Level());
    }

    // Plays `updates` updates firing (and steering once), then plays again.
    void PlayAndRestart(int updates) {
        world->Session().SetPaused(false);
        for (int i = 0; i < updates; ++i) {
            if (i == 5) {
                Key(SDLK_SPACE, true);
            }
            if (i == 30 || i == 40) {
                Key(SDLK_UP, i == 30);
            }
            clock.Advance(31);
            float dt = 31.0f;
            world->Update(dt);
        }
        Key(SDLK_SPACE, false);
        world->Restart();
    }

    FakeClock clock{500000};
    ShooterWorld* world = nullptr;
    TempDir home;
};

}  // namespace

TEST_F(WorldRecordingTest, PlayingAgainWritesTheGameThatVerifiesAndKeepsItsBestRun) {
    const std::string folder = home.Path() + "/replays";
    RecordInto(folder);
    PlayAndRestart(700);
    ASSERT_GT(world->Session().Scores().Best(), 0);  // the game scored and entered the table

    std::string message;
    EXPECT_EQ(ReplayVerifier::VerifyFile(folder + "/last.gxr", message), ReplayVerifier::kMatch)
        << message;
    EXPECT_NE(message.find("700 updates, 7 checkpoints match"), std::string::npos) << message;
    const ReplayStore store(folder);
    const std::string best = store.BestRun(world->Session().Scores());
    ASSERT_FALSE(best.empty());
    EXPECT_EQ(ReplayVerifier::VerifyFile(best, message), ReplayVerifier::kMatch) << message;
    // The new game's recording has begun from the fresh start.
    EXPECT_TRUE(world->Recording().IsRecording());
}

TEST_F(WorldRecordingTest, ARunThatLeavesTheTableLosesItsFile) {
    const std::string folder = home.Path() + "/replays";
    ReplayStore store(folder);
    ScoreTable table;
    table.Add(500, "2026-01-01T00:00:00Z");
    store.KeepBest({1, 2, 3}, "2026-01-01T00:00:00Z", table);
    ASSERT_FALSE(store.BestRun(table).empty());
    ScoreTable later;
    later.Add(900, "2026-02-02T00:00:00Z");
    store.KeepBest({4, 5, 6}, "2026-02-02T00:00:00Z", later);
    struct stat info {};
    EXPECT_NE(stat(store.BestPath("2026-01-01T00:00:00Z").c_str(), &info), 0);
    EXPECT_EQ(stat(store.BestPath("2026-02-02T00:00:00Z").c_str(), &info), 0);
}

TEST_F(WorldRecordingTest, AFolderThatCannotBeWrittenCostsOneLogLineAndTheGamePlaysOn) {
    // A file where the replays folder should be.
    const std::string blocked = home.Write("replays", "not a folder");
    LogCapture log;
    RecordInto(blocked + "/inside");
    PlayAndRestart(50);
    PlayAndRestart(50);
    const std::string text = log.Text();
    const std::string line =
        "Replays are not saved to " + blocked + "/inside: cannot create folder";
    EXPECT_EQ(text.find(line), text.rfind(line)) << text;
    EXPECT_NE(text.find(line), std::string::npos) << text;
    EXPECT_TRUE(world->Recording().IsRecording());
}
