// Sprite set files and sprite definitions that cannot be used: each is logged with its file
// and leaves nothing half-loaded. (Decoding and drawing real sheets is in the drawing tests.)
#include <gtest/gtest.h>

#include "PngReference.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

class SpriteSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Enter();
        CSpriteManager::GetInstance()->UnloadAll();
    }
    void TearDown() override { CSpriteManager::GetInstance()->UnloadAll(); }

    CSprite* LoadOne(const std::string& image) {
        m_dir.Write("set.xml", "<spriteset basedir=\"art\"><sprite name=\"s\">" + image +
                                   "</sprite></spriteset>");
        CSpriteManager::GetInstance()->LoadSpriteSet("set.xml");
        return CSpriteManager::GetInstance()->GetSprite("s");
    }

    TempDir m_dir;
};

TEST_F(SpriteSetTest, MissingOrInvalidSetFileIsLoggedWithItsName) {
    LogCapture log;
    CSpriteManager::GetInstance()->LoadSpriteSet("absent.xml");
    EXPECT_TRUE(log.Contains("CSprite: Sprite set file absent.xml is missing or not valid XML"))
        << log.Text();
    log.Clear();
    m_dir.Write("bad.xml", "<spriteset><sprite name=\"x\"></spriteset>");
    CSpriteManager::GetInstance()->LoadSpriteSet("bad.xml");
    EXPECT_TRUE(log.Contains("bad.xml")) << log.Text();
    EXPECT_EQ(CSpriteManager::GetInstance()->GetSprite("x"), nullptr);
}

TEST_F(SpriteSetTest, SetElementMayBeAChildOfTheTopLevelElement) {
    m_dir.Write("nested.xml",
                "<resources><other/><spriteset basedir=\"art\"><sprite name=\"inner\">"
                "<image swidth=\"8\" sheight=\"8\" numframes=\"1\" columns=\"1\">n.png</image>"
                "</sprite></spriteset></resources>");
    CSpriteManager::GetInstance()->LoadSpriteSet("nested.xml");
    EXPECT_NE(CSpriteManager::GetInstance()->GetSprite("inner"), nullptr);
}

TEST_F(SpriteSetTest, FileWithoutSetElementIsLogged) {
    m_dir.Write("empty.xml", "<resources><other/></resources>");
    LogCapture log;
    CSpriteManager::GetInstance()->LoadSpriteSet("empty.xml");
    EXPECT_TRUE(log.Contains("CSprite: No <spriteset> element in empty.xml")) << log.Text();
}

TEST_F(SpriteSetTest, DuplicateNamesKeepBothAndTheFirstAnswers) {
    m_dir.Write("dup.xml",
                "<spriteset basedir=\"art\">"
                "<sprite name=\"d\"><image swidth=\"8\" sheight=\"8\" numframes=\"1\" "
                "columns=\"1\">a.png</image></sprite>"
                "<sprite name=\"d\"><image swidth=\"24\" sheight=\"8\" numframes=\"1\" "
                "columns=\"1\">b.png</image></sprite></spriteset>");
    CSpriteManager::GetInstance()->LoadSpriteSet("dup.xml");
    ASSERT_NE(CSpriteManager::GetInstance()->GetSprite("d"), nullptr);
    EXPECT_EQ(CSpriteManager::GetInstance()->GetSprite("d")->GetFrameWidth(), 8);
    EXPECT_EQ(CSpriteManager::GetInstance()->GetSprite("unknown"), nullptr);
}

TEST_F(SpriteSetTest, NonPositiveLayoutValuesLeaveTheSpriteUnloaded) {
    const char* layouts[] = {
        "<image swidth=\"8\" sheight=\"8\" numframes=\"1\">a.png</image>",
        "<image swidth=\"8\" sheight=\"8\" numframes=\"1\" columns=\"0\">a.png</image>",
        "<image swidth=\"-8\" sheight=\"8\" numframes=\"1\" columns=\"1\">a.png</image>",
        "<image swidth=\"8\" sheight=\"x\" numframes=\"1\" columns=\"1\">a.png</image>",
        "<image swidth=\"8\" sheight=\"8\" columns=\"1\">a.png</image>",
    };
    for (const char* layout : layouts) {
        CSpriteManager::GetInstance()->UnloadAll();
        LogCapture log;
        CSprite* sprite = LoadOne(layout);
        ASSERT_NE(sprite, nullptr) << layout;
        EXPECT_FALSE(sprite->IsLoaded()) << layout;
        EXPECT_TRUE(log.Contains("CSprite: Sprite \"s\" in set.xml needs positive")) << log.Text();
    }
}

TEST_F(SpriteSetTest, MissingImageElementOrTextIsLogged) {
    LogCapture log;
    EXPECT_FALSE(LoadOne("")->IsLoaded());
    EXPECT_TRUE(log.Contains("Missing element <image>")) << log.Text();
    CSpriteManager::GetInstance()->UnloadAll();
    log.Clear();
    EXPECT_FALSE(
        LoadOne("<image swidth=\"8\" sheight=\"8\" numframes=\"1\" columns=\"1\"/>")->IsLoaded());
    EXPECT_TRUE(log.Contains("CSprite: Sprite \"s\" in set.xml names no image file")) << log.Text();
}

TEST_F(SpriteSetTest, UndecodableImageIsLoggedWithItsPath) {
    m_dir.Write("art/broken.png", "not a png");
    LogCapture log;
    CSprite* sprite = LoadOne(
        "<image swidth=\"8\" sheight=\"8\" numframes=\"1\" columns=\"1\">broken.png</image>");
    EXPECT_FALSE(sprite->IsLoaded());
    EXPECT_EQ(sprite->m_texture, 0u);
    EXPECT_TRUE(log.Contains("CSprite: Image \"art/broken.png\" of sprite \"s\" in set.xml"))
        << log.Text();
}

// The line for an undecodable sheet ends with why: the decoder's reason with its chunk.
TEST_F(SpriteSetTest, UndecodableImageIsLoggedWithTheReason) {
    pngref::Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
    pngref::AppendChunk(file, "IHDR", pngref::HeaderData(2, 2, 8, 2, 0));
    pngref::AppendChunk(file, "IDAT", pngref::Compress(pngref::Bytes(14, 0), {}));
    pngref::AppendChunk(file, "IEND", {});
    const std::string good(file.begin(), file.end());
    std::string badCrc = good;
    badCrc[badCrc.size() - 13] ^= 1;
    m_dir.Write("art/crc.png", badCrc);
    m_dir.Write("art/cut.png", good.substr(0, good.size() - 15));
    const char* const cases[][2] = {
        {"crc.png",
         "art/crc.png\" of sprite \"s\" in set.xml is missing or not a usable PNG "
         "(bad CRC in chunk IDAT)\n"},
        {"cut.png",
         "art/cut.png\" of sprite \"s\" in set.xml is missing or not a usable PNG "
         "(file ends inside chunk IDAT)\n"},
        {"none.png",
         "art/none.png\" of sprite \"s\" in set.xml is missing or not a usable PNG "
         "(file is missing, unreadable or empty)\n"},
    };
    for (const auto& testCase : cases) {
        CSpriteManager::GetInstance()->UnloadAll();
        LogCapture log;
        EXPECT_FALSE(LoadOne("<image swidth=\"2\" sheight=\"2\" numframes=\"1\" columns=\"1\">" +
                             std::string(testCase[0]) + "</image>")
                         ->IsLoaded());
        EXPECT_EQ(log.Text(), std::string("CSprite: Image \"") + testCase[1]);
    }
}

TEST_F(SpriteSetTest, OutOfRangeFrameIsLoggedWithTheSignedNumber) {
    CSprite sprite;
    sprite.m_loaded = true;
    sprite.m_name = "ship";
    sprite.m_numFrames = 4;
    sprite.m_columns = 2;
    sprite.m_frameWidth = sprite.m_frameHeight = 8;
    sprite.m_imageWidth = sprite.m_imageHeight = 16;
    LogCapture log;
    sprite.Draw(Vector2(), Vector2(1, 1), 0, 4, 0, 1);
    sprite.Draw(Vector2(), Vector2(1, 1), 0, static_cast<uint32_t>(-1), 0, 1);
    EXPECT_EQ(log.Text(),
              "CSprite: Frame: 4 not in range of sprite ship\n"
              "CSprite: Frame: -1 not in range of sprite ship\n");
}

TEST_F(SpriteSetTest, UnloadedSpriteDrawsAndLogsNothing) {
    CSprite sprite;
    sprite.m_name = "idle";
    LogCapture log;
    sprite.Draw(Vector2(), Vector2(1, 1), 0, 99, 0, 1);
    EXPECT_EQ(log.Text(), "");
}

}  // namespace
