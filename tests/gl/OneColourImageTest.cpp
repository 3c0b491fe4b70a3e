// A still image widget whose sheet is one colour is drawn as an untextured quad of that colour
// (the title's full-window shade is one). It must give the same pixels as the textured,
// stretched and filtered drawing of the sheet, over a background that blending shows through.
#include <GL/glew.h>
#include <tinyxml.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "gui/CGUIStaticImageWidget.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

struct Placement {
    Vector2 position;
    Vector2 scale;
};

class OneColourImageTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_dir.Enter();
        CSpriteManager::GetInstance()->UnloadAll();
        // The default game's shade, and a sheet of two frames that differ (the title's logo
        // panel stands for any image).
        const std::string images = std::string(GLIMMERAX_SOURCE_DIR) + "/data/images/";
        for (const char* sheet : {"shade.png", "buttons.png"}) {
            std::ifstream in(images + sheet, std::ios::binary);
            m_dir.Write(sheet, std::string(std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()));
        }
        m_dir.Write("sprites.xml",
                    "<spriteset basedir=\".\"><sprite name=\"shade\"><image swidth=\"8\" "
                    "sheight=\"8\" numframes=\"1\" rows=\"1\" columns=\"1\">shade.png</image>"
                    "</sprite><sprite name=\"buttons\"><image swidth=\"176\" sheight=\"48\" "
                    "numframes=\"12\" rows=\"4\" columns=\"3\">buttons.png</image></sprite>"
                    "</spriteset>");
        CSpriteManager::GetInstance()->LoadSpriteSet("sprites.xml");
    }
    void TearDown() override { CSpriteManager::GetInstance()->UnloadAll(); }

    // A still image widget as the title's layer file writes it.
    static std::unique_ptr<CGUIStaticImageWidget> Widget(const char* sprite, int frame,
                                                         const Placement& at) {
        const std::string xml = "<widget type=\"staticimage\" name=\"w\"><position x=\"" +
                                std::to_string(at.position.x) + "\" y=\"" +
                                std::to_string(at.position.y) + "\"/><scale x=\"" +
                                std::to_string(at.scale.x) + "\" y=\"" +
                                std::to_string(at.scale.y) + "\"/><sprite name=\"" + sprite +
                                "\" frame=\"" + std::to_string(frame) + "\"/></widget>";
        TiXmlDocument document;
        document.Parse(xml.c_str());
        auto widget = std::make_unique<CGUIStaticImageWidget>();
        widget->Load(document.RootElement());
        return widget;
    }

    // Bands of colour, then the image drawn over them, read back whole.
    template <typename Draw>
    static std::vector<unsigned char> Frame(Draw draw) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_QUADS);
        glColor4f(0.2f, 0.4f, 0.9f, 1.0f);
        glVertex2i(0, 0);
        glVertex2i(1024, 0);
        glColor4f(0.9f, 0.7f, 0.1f, 1.0f);
        glVertex2i(1024, 512);
        glVertex2i(0, 512);
        glEnd();
        glEnable(GL_TEXTURE_2D);
        draw();
        std::vector<unsigned char> pixels(size_t(1024) * 512 * 4);
        glReadPixels(0, 0, 1024, 512, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    static int DifferingPixels(const std::vector<unsigned char>& a,
                               const std::vector<unsigned char>& b) {
        int differing = 0;
        for (size_t i = 0; i < a.size(); i += 4) {
            differing += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] ? 1 : 0;
        }
        return differing;
    }

    TempDir m_dir;
};

// The title's placement (the whole window) and stretched, fractional ones: the widget's quad
// covers the same pixels with the same colour and the same blending as the textured drawing.
TEST_F(OneColourImageTest, ShadeDrawsTheSamePixelsAsItsStretchedTexture) {
    const CSprite* shade = CSpriteManager::GetInstance()->GetSprite("shade");
    ASSERT_NE(shade, nullptr);
    const std::vector<unsigned char> background = Frame([] {});
    for (const Placement& at : {Placement{Vector2(0, 0), Vector2(128, 64)},
                                Placement{Vector2(100.5f, 33.25f), Vector2(37.3f, 11.7f)},
                                Placement{Vector2(20.75f, 400.4f), Vector2(0.6f, 21.1f)}}) {
        const auto widget = Widget("shade", 0, at);
        ASSERT_TRUE(widget->m_oneColour);
        const std::vector<unsigned char> fast = Frame([&widget] { widget->Render(); });
        const std::vector<unsigned char> textured =
            Frame([&] { shade->Draw(at.position, at.scale, 0.0f, 0, 0, 1.0f); });
        EXPECT_EQ(DifferingPixels(fast, textured), 0) << at.position.x;
        EXPECT_GT(DifferingPixels(fast, background), 100) << at.position.x;
    }
}

// Only a whole sheet of one colour qualifies: a frame of one colour inside a sheet of several
// could pick up its neighbours through the texture filter. A frame outside the sheet is not
// judged at loading, so drawing it logs as before.
TEST_F(OneColourImageTest, SheetsOfSeveralColoursAndMissingFramesAreDrawnTextured) {
    unsigned char colour[4];
    const CSprite* buttons = CSpriteManager::GetInstance()->GetSprite("buttons");
    ASSERT_NE(buttons, nullptr);
    EXPECT_FALSE(buttons->IsOneColour(0, colour));
    EXPECT_FALSE(Widget("buttons", 0, {Vector2(0, 0), Vector2(1, 1)})->m_oneColour);
    LogCapture log;
    const auto outside = Widget("shade", 3, {Vector2(0, 0), Vector2(128, 64)});
    EXPECT_FALSE(outside->m_oneColour);
    EXPECT_FALSE(log.Contains("not in range")) << log.Text();
    outside->Render();
    EXPECT_TRUE(log.Contains("CSprite: Frame: 3 not in range of sprite shade")) << log.Text();
}

}  // namespace
