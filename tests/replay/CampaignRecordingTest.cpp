// A campaign's game is recorded up to the end of its first level: that replay verifies on the
// data, and the later levels, which begin with a carried score, are not recorded; nor is a
// game continued at a later level, which a replay could not start.
#include <gtest/gtest.h>
#include <tinyxml.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "ReplaySupport.h"
#include "events/CEventManager.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "resources/CAnimationManager.h"
#include "resources/CSpriteManager.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"
#include "world/ReplayStore.h"
#include "world/ReplayVerifier.h"
#include "world/ShooterWorld.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A copy of the default data whose config.xml lists a campaign: the default level without its
// enemies (cleared by its first step of play), then the default level. <defaults> stays:
// the campaign wins over it.
class CampaignRecordingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getcwd(m_previous, sizeof m_previous), nullptr);
        m_data.CopyFrom(replaytest::kDataDir);
        const std::string level = ReadText(m_data.Path() + "/levels/level1.xml");
        m_data.Write("levels/empty.xml",
                     std::regex_replace(level, std::regex("<enemy[\\s\\S]*?</enemy>"), ""));
        std::string config = ReadText(m_data.Path() + "/config.xml");
        config.replace(config.find("<defaults"), 0,
                       "<campaign><level file=\"levels/empty.xml\"/>"
                       "<level file=\"levels/level1.xml\"/></campaign>\n  ");
        m_data.Write("config.xml", config);
        ASSERT_EQ(chdir(m_data.Path().c_str()), 0);
        CSpriteManager::GetInstance()->LoadSpriteSet("sets/sprites.xml");
        CAnimationManager::GetInstance()->LoadAnimationSet("sets/animations.xml");
        TiXmlDocument document("config.xml");
        ASSERT_TRUE(document.LoadFile());
        const TiXmlElement* root = document.FirstChildElement("config");
        auto explosions = std::make_unique<ShooterExplosionManager>();
        explosions->Load(TiXmlHandle(const_cast<TiXmlElement*>(root)).FirstChild("explosioncfg"));
        world->Level().SetExplosions(std::move(explosions));
        world->Session().Levels().Read(root);
        world->Level().SetFile(world->Session().Levels().FirstLevel());
        ASSERT_TRUE(world->LoadLevel(world->Level().File()));
        world->Recording().SetStore(std::make_unique<ReplayStore>(m_home.Path()));
        world->Recording().Begin(world->Level());
    }
    void TearDown() override {
        ShooterWorld::DestroyInstance();
        CEventManager::GetInstance()->Shutdown();
        CSpriteManager::GetInstance()->UnloadAll();
        CAnimationManager::GetInstance()->UnloadAll();
        ASSERT_EQ(chdir(m_previous), 0);
    }

    void Update(uint32_t ms = 31) {
        clock.Advance(ms);
        float dt = static_cast<float>(ms);
        world->Update(dt);
    }

    FakeClock clock{500000};
    ShooterWorld* world = ShooterWorld::GetInstance();
    TempDir m_data;
    TempDir m_home;
    char m_previous[PATH_MAX] = {};
};

}  // namespace

TEST_F(CampaignRecordingTest, TheFirstLevelIsRecordedAndVerifiesTheLaterOnesAreNot) {
    // A paused stretch on the title, then play: the first step clears the empty level.
    Update();
    Update();
    world->Session().SetPaused(false);
    Update();
    ASSERT_TRUE(world->Session().BetweenLevels());
    EXPECT_FALSE(world->Recording().IsRecording());
    std::string message;
    EXPECT_EQ(ReplayVerifier::VerifyFile(m_home.Path() + "/last.gxr", message),
              ReplayVerifier::kMatch)
        << message;
    EXPECT_NE(message.find("3 updates"), std::string::npos) << message;
    // The second level plays unrecorded; playing again records the first level anew.
    Update(4000);
    ASSERT_EQ(world->Level().File(), "levels/level1.xml");
    Update();
    EXPECT_FALSE(world->Recording().IsRecording());
    world->Restart();
    EXPECT_EQ(world->Level().File(), "levels/empty.xml");
    EXPECT_TRUE(world->Recording().IsRecording());
}

TEST_F(CampaignRecordingTest, AContinuedGameIsNotRecordedNorKeptAsABestRun) {
    world->Session().SetPaused(false);
    Update();
    ASSERT_TRUE(world->Session().BetweenLevels());
    Update(4000);
    ASSERT_EQ(world->Level().File(), "levels/level1.xml");
    world->Restart();
    ASSERT_TRUE(world->Recording().IsRecording());
    const std::string firstLevelRun = ReadText(m_home.Path() + "/last.gxr");

    // Continue drops the title's recording: a replay would start at the campaign's first level.
    world->Continue();
    ASSERT_EQ(world->Level().File(), "levels/level1.xml");
    ASSERT_EQ(world->Session().Levels().Number(), 2u);
    EXPECT_FALSE(world->Recording().IsRecording());
    Update();
    Update();
    ASSERT_TRUE(world->Level().InPlay());
    world->Level().Player()->AddPoints(500);
    world->Restart();
    EXPECT_EQ(world->Session().NormalScores().Best(), 500) << "its score is kept";
    EXPECT_EQ(ReadText(m_home.Path() + "/last.gxr"), firstLevelRun);
    EXPECT_EQ(world->Recording().Store()->BestRun(world->Session().NormalScores()), "");
    std::string message;
    EXPECT_EQ(ReplayVerifier::VerifyFile(m_home.Path() + "/last.gxr", message),
              ReplayVerifier::kMatch)
        << message;
}
