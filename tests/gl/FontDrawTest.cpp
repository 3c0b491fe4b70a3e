// Text drawn with a bitmap font whose glyphs are frames of the test sheet.
#include <GL/glew.h>

#include <fstream>
#include <iterator>

#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"
#include "support/GLWindow.h"
#include "support/TempDir.h"

namespace {

class FontDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_dir.Enter();
        CSpriteManager::GetInstance()->UnloadAll();
        CFontManager::GetInstance()->UnloadAll();
        std::ifstream in(std::string(GLIMMERAX_TEST_DATA) + "/engine/sheet.png", std::ios::binary);
        m_dir.Write("sheet.png", std::string(std::istreambuf_iterator<char>(in),
                                             std::istreambuf_iterator<char>()));
        m_dir.Write("sprites.xml",
                    "<spriteset basedir=\".\"><sprite name=\"glyphs\"><image swidth=\"16\" "
                    "sheight=\"16\" numframes=\"8\" rows=\"2\" columns=\"4\">sheet.png</image>"
                    "</sprite></spriteset>");
        m_dir.Write("fonts.xml",
                    "<fontset><font name=\"digits\" sprite=\"glyphs\"><entry char=\"0\" "
                    "frame=\"0\"/><entry char=\"5\" frame=\"5\"/></font></fontset>");
        CSpriteManager::GetInstance()->LoadSpriteSet("sprites.xml");
        CFontManager::GetInstance()->LoadFontSet("fonts.xml");
    }
    void TearDown() override {
        CFontManager::GetInstance()->UnloadAll();
        CSpriteManager::GetInstance()->UnloadAll();
    }

    TempDir m_dir;
};

TEST_F(FontDrawTest, GlyphsRunSideBySideAtScaledSpacingSkippingUnmappedCharacters) {
    CFont* font = CFontManager::GetInstance()->GetFont("digits");
    ASSERT_NE(font, nullptr);
    font->DrawText("0x5", Vector2(2, 2), Vector2(100, 200));
    EXPECT_EQ(GLWindow::ReadPixel(116, 216).r, 255);  // '0' from 100 to 132
    EXPECT_EQ(GLWindow::ReadPixel(148, 216).g, 255);  // '5' right after it, no gap for 'x'
    EXPECT_EQ(GLWindow::ReadPixel(148, 216).r, 0);
    EXPECT_EQ(GLWindow::ReadPixel(168, 216).g, 0);
    EXPECT_EQ(GLWindow::ReadPixel(116, 234).r, 0);
}

}  // namespace
