// Buttons: the rectangle from the position and one unscaled frame, the frames shown under the
// pointer, and what a click is (a left-button release inside the rectangle).

#include <gtest/gtest.h>

#include "gui/CGUI.h"
#include "gui/CGUIButtonWidget.h"
#include "gui/CGUILayer.h"
#include "gui/GUIInput.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "unit/GUITestSupport.h"

namespace {

class ButtonTest : public InterfaceTest {
protected:
    void SetUp() override {
        InterfaceTest::SetUp();
        AddTestSprite("btn", 64, 32);
    }

    // Loads one layer "main" (and an empty layer "other") and makes "main" active.
    void LoadLayer(const std::string& widgets) {
        const std::string file =
            m_dir.Write("set.xml", "<layerset><layer name=\"main\">" + widgets +
                                       "</layer><layer name=\"other\"/></layerset>");
        m_gui->LoadLayerSet(file);
        m_gui->SetActiveLayer("main");
    }
    CGUIButtonWidget* Button(size_t index) {
        return dynamic_cast<CGUIButtonWidget*>(m_gui->GetActiveLayer()->m_widgets.at(index).get());
    }
    void Mouse(int x, int y, int kind) {
        GUIMouseInput input;
        input.x = x;
        input.y = y;
        input.kind = kind;
        m_gui->HandleMouse(input);
    }
    void Update() {
        float dt = 31.0f;
        m_gui->Update(dt);
    }

    static std::string Widget(const std::string& name, const std::string& extra) {
        return "<widget type=\"button\" name=\"" + name + "\" " + extra +
               "><position x=\"100\" y=\"200\"/>"
               "<sprite name=\"btn\" normalFrame=\"0\" hoverFrame=\"1\" depressFrame=\"2\"/>"
               "</widget>";
    }

    TempDir m_dir;
    CGUI* m_gui = CGUI::GetInstance();
};

TEST_F(ButtonTest, RectangleSpansOneUnscaledFrameFromThePosition) {
    LoadLayer(Widget("b", "event=\"go\""));
    const CGUIButtonWidget* button = Button(0);
    EXPECT_EQ(button->m_rect.min.x, 100.0f);
    EXPECT_EQ(button->m_rect.min.y, 200.0f);
    EXPECT_EQ(button->m_rect.max.x, 164.0f);
    EXPECT_EQ(button->m_rect.max.y, 232.0f);
    EXPECT_EQ(button->m_frame, 0);
}

TEST_F(ButtonTest, EdgesOfTheRectangleAreInside) {
    LoadLayer(Widget("b", "event=\"go\""));
    Mouse(164, 232, 2);
    Mouse(100, 200, 2);
    Mouse(165, 232, 2);
    Mouse(164, 233, 2);
    Mouse(99, 200, 2);
    EXPECT_EQ(Deliver(), std::vector<std::string>({"go", "go"}));
}

TEST_F(ButtonTest, HoverAndPressFramesFollowThePointer) {
    LoadLayer(Widget("b", ""));
    Mouse(120, 210, 7);
    Update();
    EXPECT_EQ(Button(0)->m_frame, 1);
    Mouse(120, 210, 1);
    Update();
    EXPECT_EQ(Button(0)->m_frame, 2);
    // Moving away while holding shows the normal frame.
    Mouse(20, 10, 7);
    Update();
    EXPECT_EQ(Button(0)->m_frame, 0);
}

TEST_F(ButtonTest, FramesChangeOnlyWithTheNextUpdate) {
    LoadLayer(Widget("b", ""));
    Mouse(120, 210, 7);
    EXPECT_EQ(Button(0)->m_frame, 0);
    Update();
    EXPECT_EQ(Button(0)->m_frame, 1);
}

TEST_F(ButtonTest, ReleaseOutsideRaisesNothing) {
    LoadLayer(Widget("b", "event=\"go\""));
    Mouse(120, 210, 1);
    Mouse(300, 300, 2);
    EXPECT_TRUE(Deliver().empty());
}

TEST_F(ButtonTest, PressElsewhereAndReleaseOverTheButtonClicks) {
    LoadLayer(Widget("b", "event=\"go\""));
    Mouse(10, 10, 1);
    Mouse(120, 210, 7);
    Mouse(120, 210, 2);
    EXPECT_EQ(Deliver(), std::vector<std::string>({"go"}));
}

TEST_F(ButtonTest, OnlyTheLeftReleaseClicks) {
    LoadLayer(Widget("b", "event=\"go\""));
    Mouse(120, 210, 1);
    Mouse(120, 210, 4);
    Mouse(120, 210, 5);
    Mouse(120, 210, 7);
    EXPECT_TRUE(Deliver().empty());
}

TEST_F(ButtonTest, EventIsQueuedFirstThenTheLayerSwitches) {
    LoadLayer(Widget("b", "event=\"pause\" layer=\"other\""));
    // The event is queued during the click and delivered with the next tick; the layer
    // switch is immediate.
    Mouse(120, 210, 2);
    EXPECT_EQ(m_gui->GetActiveLayer()->GetName(), "other");
    EXPECT_EQ(Deliver(), std::vector<std::string>({"pause"}));
}

TEST_F(ButtonTest, LayerOnlyButtonSwitchesWithoutAnEvent) {
    LoadLayer(Widget("b", "layer=\"other\""));
    Mouse(120, 210, 2);
    EXPECT_EQ(m_gui->GetActiveLayer()->GetName(), "other");
    EXPECT_TRUE(Deliver().empty());
}

TEST_F(ButtonTest, TwoOverlappingButtonsBothFireInListOrder) {
    LoadLayer(Widget("a", "event=\"first\"") + Widget("b", "event=\"second\""));
    Mouse(120, 210, 2);
    EXPECT_EQ(Deliver(), std::vector<std::string>({"first", "second"}));
}

TEST_F(ButtonTest, MissingSpriteIsLoggedAndTheRectangleIsThePoint00) {
    LogCapture log;
    LoadLayer(
        "<widget type=\"button\" name=\"b\" event=\"go\"><position x=\"100\" y=\"200\"/>"
        "<sprite name=\"nosuch\" normalFrame=\"0\" hoverFrame=\"1\" depressFrame=\"2\"/>"
        "</widget>");
    EXPECT_TRUE(log.Contains("CGUIButtonWidget: Sprite not found \"nosuch\"\n")) << log.Text();
    Mouse(120, 210, 2);
    Mouse(1, 0, 2);
    EXPECT_TRUE(Deliver().empty());
    Mouse(0, 0, 2);
    EXPECT_EQ(Deliver(), std::vector<std::string>({"go"}));
}

}  // namespace
