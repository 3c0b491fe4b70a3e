// The loaders' one way of reporting data problems: a sink installed in place of the log
// receives each problem with its file, line and the log's exact text, and nothing of it
// reaches the log; with the sink gone, the log writes the same text again. Sprite sheets are
// decoded without a window when the manager uploads nothing, and the level loader hands over
// what it built even for a level it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PngReference.h"
#include "core/Diagnostics.h"
#include "game/LevelLoader.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

struct Received {
    std::string file;
    int line;
    std::string text;
};

class Collector : public Diagnostics {
public:
    Collector() : m_previous(Install(this)) {}
    ~Collector() override { Install(m_previous); }
    void Report(const std::string& file, int line, const std::string& text) override {
        reports.push_back({file, line, text});
    }
    std::vector<Received> reports;

private:
    Diagnostics* m_previous;
};

// A 16 x 8 RGBA sheet, every pixel opaque red.
std::string RedSheet() {
    pngref::RawImage image;
    image.width = 16;
    image.height = 8;
    image.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int i = 0; i < 16 * 8; ++i) {
        image.rows.insert(image.rows.end(), {255, 0, 0, 255});
    }
    const pngref::Bytes png = pngref::LibpngEncode(image);
    return std::string(png.begin(), png.end());
}

class DiagnosticsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Enter();
        CSpriteManager::GetInstance()->UnloadAll();
    }
    void TearDown() override {
        CSpriteManager::GetInstance()->UnloadAll();
        CSpriteManager::GetInstance()->SetUploadTextures(true);
    }

    TempDir m_dir;
};

TEST_F(DiagnosticsTest, SheetDecodedWithoutUploadAndItsProblemGoesToTheSink) {
    m_dir.Write("art/red.png", RedSheet());
    // Three frames of 8 x 8 in one row need 24 pixels of width: the sheet is too small.
    m_dir.Write("set.xml",
                "<spriteset basedir=\"art\">\n<sprite name=\"red\">\n"
                "<image swidth=\"8\" sheight=\"8\" numframes=\"3\" columns=\"3\">red.png</image>\n"
                "</sprite></spriteset>");
    CSpriteManager::GetInstance()->SetUploadTextures(false);
    LogCapture log;
    {
        Collector collector;
        CSpriteManager::GetInstance()->LoadSpriteSet("set.xml");
        ASSERT_EQ(collector.reports.size(), 1u);
        EXPECT_EQ(collector.reports[0].file, "set.xml");
        EXPECT_EQ(collector.reports[0].line, 3);
        EXPECT_EQ(collector.reports[0].text,
                  "CSprite: Image of sprite \"red\" (16 x 8) is smaller than its frame grid\n");
    }
    // What loaded is still logged; the problem went to the sink only.
    EXPECT_EQ(log.Text(), "CSprite: Sprite \"red\" Loaded\n");
    const CSprite* sprite = CSpriteManager::GetInstance()->GetSprite("red");
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->IsLoaded());
    EXPECT_EQ(sprite->m_texture, 0u);
    ASSERT_EQ(sprite->m_pixels.size(), 16u * 8u * 4u);
    EXPECT_EQ(sprite->m_pixels[0], 255);
}

TEST_F(DiagnosticsTest, RefusedLevelIsReportedAtItsLineAndKeepsItsParts) {
    m_dir.Write("level.xml",
                "<?xml version=\"1.0\"?>\n<level name=\"l\" music=\"m\">\n<player/>\n<bg/>\n"
                "</level>\n");
    const std::string text = "Level has a player but no camera, not loaded: level.xml\n";
    {
        Collector collector;
        LevelLoader::Parts parts;
        EXPECT_FALSE(LevelLoader::Load("level.xml", parts));
        ASSERT_FALSE(collector.reports.empty());
        const Received& last = collector.reports.back();
        EXPECT_EQ(last.file, "level.xml");
        EXPECT_EQ(last.line, 2);
        EXPECT_EQ(last.text, text);
        EXPECT_NE(parts.player, nullptr);
        EXPECT_NE(parts.background, nullptr);
        EXPECT_EQ(parts.music, "m");
    }
    // Without a sink of its own the process reports to the log, word for word.
    LogCapture log;
    LevelLoader::Parts parts;
    LevelLoader::Load("level.xml", parts);
    EXPECT_TRUE(log.Contains(text)) << log.Text();
}

}  // namespace
