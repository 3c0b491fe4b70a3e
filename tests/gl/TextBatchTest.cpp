// Text drawn in one batch per call must give the same pixels as the glyph-by-glyph drawing it
// replaced, where every glyph was a sprite frame drawn through its own matrix. The reference
// below is that drawing, kept here; both draw the default game's two fonts (soft-edged glyphs,
// so blending shows any difference) over a coloured background.
#include <GL/glew.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

// The previous CFont::DrawText: one CSprite::Draw per mapped character, the pen advanced by
// scale.x x the frame width after each.
void DrawGlyphByGlyph(const CFont& font, const std::string& text, const Vector2& scale,
                      const Vector2& position) {
    const float advance = static_cast<float>(font.m_sprite->GetFrameWidth());
    Vector2 pen = position;
    for (const char c : text) {
        for (const auto& entry : font.m_entries) {
            if (entry->m_char == c) {
                font.m_sprite->Draw(pen, scale, 0.0f, static_cast<uint32_t>(entry->m_frame), 0,
                                    1.0f);
                pen.x = scale.x * advance + pen.x;
                break;
            }
        }
    }
}

struct Line {
    const char* font;
    std::string text;
    Vector2 scale;
    Vector2 position;
};

class TextBatchTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_dir.Enter();
        CSpriteManager::GetInstance()->UnloadAll();
        CFontManager::GetInstance()->UnloadAll();
        const std::string data = std::string(GLIMMERAX_SOURCE_DIR) + "/data/";
        for (const char* sheet : {"font_small.png", "font_big.png"}) {
            std::ifstream in(data + "images/" + sheet, std::ios::binary);
            m_dir.Write(sheet, std::string(std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()));
        }
        m_dir.Write("sprites.xml",
                    "<spriteset basedir=\".\"><sprite name=\"font_small\"><image swidth=\"12\" "
                    "sheight=\"16\" numframes=\"51\" rows=\"4\" columns=\"16\">font_small.png"
                    "</image></sprite><sprite name=\"font_big\"><image swidth=\"24\" "
                    "sheight=\"32\" numframes=\"51\" rows=\"4\" columns=\"16\">font_big.png"
                    "</image></sprite></spriteset>");
        std::ifstream fonts(data + "sets/fonts.xml");
        m_dir.Write("fonts.xml", std::string(std::istreambuf_iterator<char>(fonts),
                                             std::istreambuf_iterator<char>()));
        CSpriteManager::GetInstance()->LoadSpriteSet("sprites.xml");
        CFontManager::GetInstance()->LoadFontSet("fonts.xml");
    }
    void TearDown() override {
        CFontManager::GetInstance()->UnloadAll();
        CSpriteManager::GetInstance()->UnloadAll();
    }

    static const CFont& Font(const char* name) {
        const CFont* font = CFontManager::GetInstance()->GetFont(name);
        EXPECT_NE(font, nullptr) << name;
        EXPECT_NE(font ? font->m_sprite : nullptr, nullptr) << name;
        return *font;
    }

    // The lines drawn over a background of colour bands, read back whole.
    template <typename Draw>
    static std::vector<unsigned char> Frame(const std::vector<Line>& lines, Draw draw) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_QUADS);
        glColor4f(0.2f, 0.4f, 0.9f, 1.0f);
        glVertex2i(0, 0);
        glVertex2i(1024, 0);
        glColor4f(0.9f, 0.3f, 0.1f, 1.0f);
        glVertex2i(1024, 512);
        glVertex2i(0, 512);
        glEnd();
        glEnable(GL_TEXTURE_2D);
        for (const Line& line : lines) {
            draw(Font(line.font), line);
        }
        std::vector<unsigned char> pixels(size_t(1024) * 512 * 4);
        glReadPixels(0, 0, 1024, 512, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // Pixels that differ between the batched and the glyph-by-glyph drawing of the lines, and
    // the count of pixels the text changed at all (so that an empty frame cannot pass).
    static void Compare(const std::vector<Line>& lines) {
        const std::vector<unsigned char> background = Frame({}, [](const CFont&, const Line&) {});
        const std::vector<unsigned char> batched =
            Frame(lines, [](const CFont& font, const Line& line) {
                font.DrawText(line.text, line.scale, line.position);
            });
        const std::vector<unsigned char> reference =
            Frame(lines, [](const CFont& font, const Line& line) {
                DrawGlyphByGlyph(font, line.text, line.scale, line.position);
            });
        int differing = 0;
        int drawn = 0;
        for (size_t i = 0; i < batched.size(); i += 4) {
            bool differs = false;
            bool changed = false;
            for (size_t c = 0; c < 4; ++c) {
                differs = differs || batched[i + c] != reference[i + c];
                changed = changed || reference[i + c] != background[i + c];
            }
            differing += differs ? 1 : 0;
            drawn += changed ? 1 : 0;
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(drawn, 500);
    }

    TempDir m_dir;
};

TEST_F(TextBatchTest, UnscaledAndScaledTextsMatchGlyphByGlyphDrawing) {
    Compare({{"small", "ARROWS OR WASD: MOVE    SPACE: FIRE    1-4: WEAPON", Vector2(1, 1),
              Vector2(212, 62)},
             {"big", "SCORE 0123456789", Vector2(2, 2), Vector2(10, 300)},
             {"small", "Half and three quarters", Vector2(1.5f, 0.75f), Vector2(33.25f, 200.5f)},
             {"big", "ODD SCALE", Vector2(0.7f, 1.3f), Vector2(600.4f, 120.6f)},
             {"small", "MIRRORED", Vector2(-1.25f, 1.0f), Vector2(1000.0f, 20.0f)}});
}

// Right alignment as the meters do it: the text ends at a fixed x, starting at that x minus
// its measured width, which leaves fractional positions for scaled texts.
TEST_F(TextBatchTest, RightAlignedTextsMatchGlyphByGlyphDrawing) {
    std::vector<Line> lines;
    float y = 20.0f;
    for (const char* text : {"7", "42", "1234", "-98765", "1000000"}) {
        for (const Vector2& scale : {Vector2(1, 1), Vector2(1.3f, 1.3f), Vector2(2.5f, 2)}) {
            const float width = Font("big").MeasureText(text, scale).x;
            lines.push_back({"big", text, scale, Vector2(1000.5f - width, y)});
            y += 32.0f;
            if (y > 480.0f) {
                y = 7.5f;
            }
        }
    }
    Compare(lines);
}

// Several lines one above the other, as the title's help texts are drawn; characters without
// a glyph (the line break, a tab, bytes above 127) are skipped and take no room either way.
TEST_F(TextBatchTest, SeveralLinesAndUnmappedCharactersMatchGlyphByGlyphDrawing) {
    std::vector<Line> lines;
    for (int row = 0; row < 12; ++row) {
        lines.push_back({row % 2 ? "small" : "big", "LINE " + std::to_string(row) + "\n\tx\xe9y!",
                         Vector2(1.0f + 0.25f * float(row % 3), 1.0f),
                         Vector2(40.0f + 3.0f * float(row), 480.0f - 38.0f * float(row))});
    }
    Compare(lines);
}

// A glyph frame outside the sheet is logged and left out by both drawings alike.
TEST_F(TextBatchTest, GlyphOutsideTheSheetIsLoggedAndLeftOut) {
    CFont* font = CFontManager::GetInstance()->GetFont("small");
    ASSERT_NE(font, nullptr);
    auto entry = std::make_unique<CFontEntry>();
    entry->m_char = '#';
    entry->m_frame = 400;
    font->m_entries.insert(font->m_entries.begin(), std::move(entry));
    LogCapture log;
    Compare({{"small", "A#B", Vector2(2, 2), Vector2(100, 100)}});
    EXPECT_TRUE(log.Contains("CSprite: Frame: 400 not in range of sprite font_small"))
        << log.Text();
}

}  // namespace
