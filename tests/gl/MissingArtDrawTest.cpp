// What is kept although its sprite or font is missing (logged when it loads) draws nothing:
// a shot, an image, a text, a button and a font, each drawn in plain white over a black
// window, which would show any quad they drew.
#include <GL/glew.h>

#include <memory>
#include <vector>

#include "game/ShooterProjectile.h"
#include "gui/CGUIButtonWidget.h"
#include "gui/CGUIStaticImageWidget.h"
#include "gui/CGUITextWidget.h"
#include "resources/CFont.h"
#include "resources/CFontEntry.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"
#include "unit/GUITestSupport.h"

namespace {

// Pixels of the whole window that are not black.
int LitPixels() {
    std::vector<unsigned char> pixels(size_t(GLWindow::Width()) * GLWindow::Height() * 4);
    glReadPixels(0, 0, GLWindow::Width(), GLWindow::Height(), GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        lit += (pixels[i] | pixels[i + 1] | pixels[i + 2]) != 0;
    }
    return lit;
}

class MissingArtDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        // What a stray quad would be drawn in: opaque white, no texture.
        glBindTexture(GL_TEXTURE_2D, 0);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    void TearDown() override { CGUI::GetInstance()->UnloadAll(); }

    LogCapture m_log;  // the load-time lines are checked by the loaders' own tests
};

TEST_F(MissingArtDrawTest, ShotWithUnknownSpriteDrawsNothing) {
    ShooterProjectile shot(40, Vector2(100.0f, 100.0f), Vector2(1.0f, 0.0f), 5.0f,
                           Vector2(2.0f, 3.0f), "no such sprite", true);
    ASSERT_EQ(shot.GetSprite(), nullptr);
    shot.Render(false);
    EXPECT_EQ(LitPixels(), 0);
}

TEST_F(MissingArtDrawTest, WidgetsWithoutTheirSpriteOrFontDrawNothing) {
    XmlText image(
        "<widget name=\"i\"><position x=\"100\" y=\"100\"/><scale x=\"4\" y=\"4\"/>"
        "<sprite name=\"gone\" frame=\"0\"/></widget>");
    CGUIStaticImageWidget imageWidget;
    imageWidget.Load(image.Root());
    XmlText text(
        "<widget name=\"t\" text=\"GAME OVER\" font=\"nosuch\"><position x=\"200\" y=\"200\"/>"
        "<scale x=\"2\" y=\"2\"/></widget>");
    CGUITextWidget textWidget;
    textWidget.Load(text.Root());
    XmlText button(
        "<widget name=\"b\" event=\"go\"><position x=\"300\" y=\"300\"/>"
        "<sprite name=\"nosuch\" normalFrame=\"0\" hoverFrame=\"1\" depressFrame=\"2\"/>"
        "</widget>");
    CGUIButtonWidget buttonWidget;
    buttonWidget.Load(button.Root());
    ASSERT_EQ(buttonWidget.m_sprite, nullptr);
    for (IGUIWidget* widget : std::vector<IGUIWidget*>{&imageWidget, &textWidget, &buttonWidget}) {
        float dt = 31.0f;
        widget->Update(dt);
        widget->Render();
    }
    EXPECT_EQ(LitPixels(), 0);
}

TEST_F(MissingArtDrawTest, FontWithoutItsSpriteDrawsNothing) {
    CFont font;
    font.m_name = "f";
    font.m_entries.push_back(std::make_unique<CFontEntry>());
    font.m_entries.back()->m_char = 'A';
    font.DrawText("AAA", Vector2(4, 4), Vector2(10, 10));
    EXPECT_EQ(LitPixels(), 0);
}

}  // namespace
