// Start-up from config.xml, the steps that need no window: reading the configuration, the
// order and paths of the set files, and ending the game when the configuration is unusable.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/ShooterWorld.h"

namespace {

// A sprite set with one sprite whose image does not exist: the sprite is kept by name (not
// loaded), so loading order and paths show without decoding or uploading anything.
std::string SpriteSet(const std::string& spriteName, int frameWidth = 16) {
    return "<spriteset basedir=\"art\"><sprite name=\"" + spriteName + "\"><image swidth=\"" +
           std::to_string(frameWidth) +
           "\" sheight=\"16\" numframes=\"1\" rows=\"1\" columns=\"1\">none.png</image>"
           "</sprite></spriteset>";
}

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Enter();
        UnloadResources();
    }
    void TearDown() override {
        UnloadResources();
        ShooterWorld::DestroyInstance();
    }
    static void UnloadResources() {
        CSpriteManager::GetInstance()->UnloadAll();
        CAnimationManager::GetInstance()->UnloadAll();
        CFontManager::GetInstance()->UnloadAll();
    }

    // Parses config.xml text and runs the two window-free start-up steps on it.
    void ReadAndLoad(const std::string& text) {
        m_dir.Write("config.xml", text);
        TiXmlDocument document("config.xml");
        ASSERT_TRUE(document.LoadFile());
        ShooterWorld* world = ShooterWorld::GetInstance();
        world->ReadConfig(document.FirstChildElement("config"));
        world->LoadResourceSets(document.FirstChildElement("config"));
    }

    TempDir m_dir;
};

TEST_F(ConfigTest, WithoutSpriteAndAnimationSetsBothMessagesAreLoggedInOrder) {
    LogCapture log;
    ReadAndLoad(
        "<config gameoverlayer=\"a\" gamecompletelayer=\"b\"><fontsetfile>f.xml"
        "</fontsetfile></config>");
    const std::string text = log.Text();
    const size_t sprites = text.find("CEngine: No sprite set files defined in config file.\n");
    const size_t anims = text.find("CEngine: No animation set files defined in config file.\n");
    ASSERT_NE(sprites, std::string::npos);
    ASSERT_NE(anims, std::string::npos);
    EXPECT_LT(sprites, anims);
    // Start-up goes on with the fonts: the missing font set file is reported after both.
    EXPECT_GT(text.find("f.xml"), anims);
}

TEST_F(ConfigTest, SetFilesSeparatedByOtherElementsAreAllLoadedInDocumentOrder) {
    m_dir.Write("one.xml", SpriteSet("shared", 16));
    m_dir.Write("two.xml", SpriteSet("shared", 32));
    m_dir.Write("three.xml", SpriteSet("third"));
    ReadAndLoad(
        "<config gameoverlayer=\"a\" gamecompletelayer=\"b\">"
        "<spritesetfile>one.xml</spritesetfile><guicfg/><animationsetfile>x.xml"
        "</animationsetfile><spritesetfile>three.xml</spritesetfile><defaults/>"
        "<spritesetfile>two.xml</spritesetfile></config>");
    CSpriteManager* sprites = CSpriteManager::GetInstance();
    ASSERT_NE(sprites->GetSprite("shared"), nullptr);
    ASSERT_NE(sprites->GetSprite("third"), nullptr);
    // one.xml came first, so its sprite answers for the shared name.
    EXPECT_EQ(sprites->GetSprite("shared")->GetFrameWidth(), 16);
}

TEST_F(ConfigTest, PathWithBlanksAroundItAndBackslashesIsLoaded) {
    m_dir.Write("sets/sprites.xml", SpriteSet("ship"));
    LogCapture log;
    ReadAndLoad(
        "<config gameoverlayer=\"a\" gamecompletelayer=\"b\"><spritesetfile>   "
        "sets\\sprites.xml  </spritesetfile></config>");
    EXPECT_NE(CSpriteManager::GetInstance()->GetSprite("ship"), nullptr) << log.Text();
}

TEST_F(ConfigTest, WidthReadsLeadingDigitsAndKeepsZeroWhenNotANumber) {
    ReadAndLoad(
        "<config width=\"800px\" height=\"px800\" gameoverlayer=\"over\" "
        "gamecompletelayer=\"complete\"/>");
    ShooterWorld* world = ShooterWorld::GetInstance();
    EXPECT_EQ(world->Window().Width(), 800u);
    EXPECT_EQ(world->Window().Height(), 0u);
    EXPECT_EQ(world->Session().GameOverLayer(), "over");
    EXPECT_EQ(world->Session().GameCompleteLayer(), "complete");
}

// motionblur picks the composition: absent or "accum" the accumulation buffer, "blend"
// blending; anything else is logged once with the file and read as "accum".
TEST_F(ConfigTest, MotionBlurCompositionIsReadAndAnUnknownOneIsLogged) {
    const std::string layers = " gameoverlayer=\"a\" gamecompletelayer=\"b\"";
    ShooterWorld* world = ShooterWorld::GetInstance();
    LogCapture log;
    ReadAndLoad("<config motionblur=\"blend\"" + layers + "/>");
    EXPECT_TRUE(world->Ring().Blends());
    ReadAndLoad("<config" + layers + "/>");
    EXPECT_FALSE(world->Ring().Blends());
    ReadAndLoad("<config motionblur=\"blend\"" + layers + "/>");
    ReadAndLoad("<config motionblur=\"accum\"" + layers + "/>");
    EXPECT_FALSE(world->Ring().Blends());
    EXPECT_FALSE(log.Contains("motionblur")) << log.Text();
    ReadAndLoad("<config motionblur=\"Blend\"" + layers + "/>");
    EXPECT_FALSE(world->Ring().Blends());
    EXPECT_TRUE(log.Contains("CEngine: Unknown motionblur=\"Blend\" in config.xml")) << log.Text();
}

TEST_F(ConfigTest, MissingLayerNamesAreLoggedAndReadAsEmpty) {
    LogCapture log;
    ReadAndLoad("<config width=\"640\"/>");
    EXPECT_TRUE(log.Contains("gameoverlayer")) << log.Text();
    EXPECT_TRUE(log.Contains("gamecompletelayer"));
    EXPECT_TRUE(log.Contains("config.xml"));
    EXPECT_EQ(ShooterWorld::GetInstance()->Session().GameOverLayer(), "");
}

TEST_F(ConfigTest, EmptyFileElementIsLoggedAndSkipped) {
    LogCapture log;
    ReadAndLoad(
        "<config gameoverlayer=\"a\" gamecompletelayer=\"b\"><spritesetfile/>"
        "</config>");
    EXPECT_TRUE(log.Contains("CEngine: Empty <spritesetfile> element in config.xml")) << log.Text();
    EXPECT_FALSE(log.Contains("No sprite set files"));
}

TEST_F(ConfigTest, MissingConfigurationFileEndsTheGame) {
    LogCapture log;
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Init();
    EXPECT_EQ(log.Text(), "<config> xml definition not found in: config.xml\n");
    EXPECT_TRUE(world->IsQuit());
}

TEST_F(ConfigTest, ConfigurationWithoutConfigElementEndsTheGame) {
    m_dir.Write("config.xml", "<settings width=\"1024\"/>");
    LogCapture log;
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Init();
    EXPECT_EQ(log.Text(), "<config> xml definition not found in: config.xml\n");
    EXPECT_TRUE(world->IsQuit());
    EXPECT_EQ(world->Window().Width(), 0u);
}

}  // namespace
