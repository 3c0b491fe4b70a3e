// Bitmap fonts without drawing: loading the character table and measuring text.
#include <gtest/gtest.h>

#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

class FontTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Enter();
        CSpriteManager::GetInstance()->UnloadAll();
        CFontManager::GetInstance()->UnloadAll();
        auto* glyphs = new CSprite();
        glyphs->m_name = "glyphs";
        glyphs->m_frameWidth = 8;
        glyphs->m_frameHeight = 12;
        CSpriteManager::GetInstance()->AddSprite(glyphs);
    }
    void TearDown() override {
        CFontManager::GetInstance()->UnloadAll();
        CSpriteManager::GetInstance()->UnloadAll();
    }

    CFont* LoadFont(const std::string& font) {
        m_dir.Write("fonts.xml", "<fontset>" + font + "</fontset>");
        CFontManager::GetInstance()->LoadFontSet("fonts.xml");
        return CFontManager::GetInstance()->GetFont("f");
    }

    TempDir m_dir;
};

const char* const DIGITS =
    "<font name=\"f\" sprite=\"glyphs\"><entry char=\"0\" frame=\"0\"/>"
    "<entry char=\"1\" frame=\"1\"/><entry char=\"2\" frame=\"2\"/>"
    "<entry char=\"3\" frame=\"3\"/></font>";

TEST_F(FontTest, CharactersWithoutEntryTakeNoRoom) {
    CFont* font = LoadFont(DIGITS);
    ASSERT_NE(font, nullptr);
    const Vector2 size = font->MeasureText("12a3", Vector2(1, 1));
    EXPECT_FLOAT_EQ(size.x, 24.0f);
    EXPECT_FLOAT_EQ(size.y, 12.0f);
    EXPECT_FLOAT_EQ(font->MeasureText("1 2", Vector2(1, 1)).x, 16.0f);
}

TEST_F(FontTest, WidthScalesButHeightDoesNot) {
    CFont* font = LoadFont(DIGITS);
    const Vector2 size = font->MeasureText("01230", Vector2(2, 2));
    EXPECT_FLOAT_EQ(size.x, 80.0f);
    EXPECT_FLOAT_EQ(size.y, 12.0f);
}

TEST_F(FontTest, EmptyTextMeasuresZeroByGlyphHeight) {
    const Vector2 size = LoadFont(DIGITS)->MeasureText("", Vector2(3, 3));
    EXPECT_FLOAT_EQ(size.x, 0.0f);
    EXPECT_FLOAT_EQ(size.y, 12.0f);
}

TEST_F(FontTest, FirstOfTwoEntriesForACharacterIsUsed) {
    CFont* font = LoadFont(
        "<font name=\"f\" sprite=\"glyphs\"><entry char=\"A\" frame=\"4\"/>"
        "<entry char=\"A\" frame=\"9\"/><entry char=\"Bee\" frame=\"5\"/></font>");
    ASSERT_EQ(font->m_entries.size(), 3u);
    EXPECT_EQ(font->m_entries[0]->m_frame, 4);
    EXPECT_EQ(font->m_entries[2]->m_char, 'B');
    EXPECT_FLOAT_EQ(font->MeasureText("AB", Vector2(1, 1)).x, 16.0f);
}

TEST_F(FontTest, FontWithUnknownSpriteIsKeptLoggedAndMeasuresZero) {
    LogCapture log;
    CFont* font = LoadFont("<font name=\"f\" sprite=\"nothing\"><entry char=\"A\"/></font>");
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(log.Contains("CFont: Sprite \"nothing\" of font \"f\" not found (fonts.xml)"))
        << log.Text();
    EXPECT_TRUE(font->m_entries.empty());
    const Vector2 size = font->MeasureText("AAA", Vector2(1, 1));
    EXPECT_FLOAT_EQ(size.x, 0.0f);
    EXPECT_FLOAT_EQ(size.y, 0.0f);
}

TEST_F(FontTest, EntryWithoutCharacterIsLoggedAndSkipped) {
    LogCapture log;
    CFont* font = LoadFont(
        "<font name=\"f\" sprite=\"glyphs\"><entry frame=\"1\"/><entry char=\"\" frame=\"2\"/>"
        "<entry char=\"x\"/></font>");
    ASSERT_EQ(font->m_entries.size(), 1u);
    EXPECT_EQ(font->m_entries[0]->m_char, 'x');
    EXPECT_EQ(font->m_entries[0]->m_frame, 0);
    EXPECT_TRUE(log.Contains("CFont: An entry of font \"f\" in fonts.xml has no \"char\""))
        << log.Text();
}

TEST_F(FontTest, MissingFontSetFileIsLoggedWithItsName) {
    LogCapture log;
    CFontManager::GetInstance()->LoadFontSet("nofonts.xml");
    EXPECT_TRUE(log.Contains("CFont: Font set file nofonts.xml is missing")) << log.Text();
}

TEST_F(FontTest, FontSetMayBeNestedAndUnknownNamesFindNothing) {
    m_dir.Write("nested.xml", std::string("<ui><fontset>") + DIGITS + "</fontset></ui>");
    CFontManager::GetInstance()->LoadFontSet("nested.xml");
    EXPECT_NE(CFontManager::GetInstance()->GetFont("f"), nullptr);
    EXPECT_EQ(CFontManager::GetInstance()->GetFont("F"), nullptr);
}

}  // namespace
