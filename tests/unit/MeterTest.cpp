// Meters: which value they show, the icon positions rightwards or downwards, the number's
// alignment, and the cases that draw nothing.

#include <gtest/gtest.h>

#include <memory>

#include "game/ShooterPlayer.h"
#include "gui/CGUIMeterWidget.h"
#include "gui/CGUIStaticImageWidget.h"
#include "gui/CGUITextWidget.h"
#include "resources/CAnimation.h"
#include "support/LogCapture.h"
#include "unit/GUITestSupport.h"
#include "world/ShooterWorld.h"

namespace {

class MeterTest : public InterfaceTest {
protected:
    void SetUp() override {
        InterfaceTest::SetUp();
        ShooterWorld::GetInstance()->Level().SetPlayer(std::make_unique<ShooterPlayer>());
    }
    ShooterPlayer& Player() { return *ShooterWorld::GetInstance()->Level().Player(); }

    // A meter loaded from one "widget" element.
    std::unique_ptr<CGUIMeterWidget> Load(const std::string& widget) {
        XmlText xml(widget);
        auto meter = std::make_unique<CGUIMeterWidget>();
        meter->Load(xml.Root());
        return meter;
    }

    // An icon meter built by hand around a sprite of the given frame size.
    std::unique_ptr<CGUIMeterWidget> IconMeter(int frameWidth, int frameHeight) {
        auto meter = std::make_unique<CGUIMeterWidget>();
        meter->m_sprite = AddTestSprite("icon", frameWidth, frameHeight);
        meter->m_scale = Vector2(1.0f, 1.0f);
        return meter;
    }
};

TEST_F(MeterTest, HorizontalIconsGoRightByFrameWidthAndGap) {
    auto meter = IconMeter(16, 16);
    meter->m_target = CGUIMeterWidget::TargetHealth;
    meter->m_ratio = 2;
    meter->m_gap = 4;
    meter->m_position = Vector2(10.0f, 10.0f);
    Player().m_health = 7;
    int32_t value = 0;
    ASSERT_TRUE(meter->ReadValue(value));
    EXPECT_EQ(value, 7);
    ASSERT_EQ(meter->IconCount(value), 3);
    EXPECT_EQ(meter->IconPosition(0).x, 10.0f);
    EXPECT_EQ(meter->IconPosition(1).x, 30.0f);
    EXPECT_EQ(meter->IconPosition(2).x, 50.0f);
    EXPECT_EQ(meter->IconPosition(2).y, 10.0f);
}

TEST_F(MeterTest, VerticalIconsGoDownByScaledFrameHeight) {
    auto meter = IconMeter(8, 8);
    meter->m_target = CGUIMeterWidget::TargetLives;
    meter->m_vertical = true;
    meter->m_scale = Vector2(1.0f, 2.0f);
    meter->m_position = Vector2(500.0f, 400.0f);
    Player().m_lives = 3;
    int32_t value = 0;
    ASSERT_TRUE(meter->ReadValue(value));
    ASSERT_EQ(meter->IconCount(value), 3);
    EXPECT_EQ(meter->IconPosition(0).y, 400.0f);
    EXPECT_EQ(meter->IconPosition(1).y, 384.0f);
    EXPECT_EQ(meter->IconPosition(2).y, 368.0f);
    EXPECT_EQ(meter->IconPosition(2).x, 500.0f);
}

TEST_F(MeterTest, NegativeValuesAndZeroRatioShowNoIcons) {
    auto meter = IconMeter(8, 8);
    EXPECT_EQ(meter->IconCount(-5), 0);
    EXPECT_EQ(meter->IconCount(0), 0);
    meter->m_ratio = 3;
    EXPECT_EQ(meter->IconCount(-5), 0);
    EXPECT_EQ(meter->IconCount(8), 2);
    meter->m_ratio = 0;
    EXPECT_EQ(meter->IconCount(100), 0);
}

TEST_F(MeterTest, PointsAreRead) {
    auto meter = Load("<widget type=\"meter\" name=\"m\" target=\"p\"/>");
    Player().m_points = 60;
    int32_t value = 0;
    ASSERT_TRUE(meter->ReadValue(value));
    EXPECT_EQ(value, 60);
}

TEST_F(MeterTest, TargetsHaveLongAndShortNames) {
    EXPECT_EQ(Load("<widget name=\"m\" target=\"health\"/>")->m_target, 2);
    EXPECT_EQ(Load("<widget name=\"m\" target=\"h\"/>")->m_target, 2);
    EXPECT_EQ(Load("<widget name=\"m\" target=\"lives\"/>")->m_target, 1);
    EXPECT_EQ(Load("<widget name=\"m\" target=\"l\"/>")->m_target, 1);
    EXPECT_EQ(Load("<widget name=\"m\" target=\"points\"/>")->m_target, 3);
    EXPECT_EQ(Load("<widget name=\"m\" target=\"p\"/>")->m_target, 3);
}

TEST_F(MeterTest, UnknownTargetIsLoggedAndShowsNothing) {
    LogCapture log;
    auto meter = Load("<widget name=\"m\" target=\"Health\"/>");
    EXPECT_TRUE(log.Contains("CGUIMeterWidget: Unknown \"target\" \"Health\"")) << log.Text();
    int32_t value = 0;
    EXPECT_FALSE(meter->ReadValue(value));
    meter->Render();
}

TEST_F(MeterTest, MissingTargetIsLoggedAndShowsNothing) {
    LogCapture log;
    auto meter = Load("<widget name=\"m\"/>");
    EXPECT_TRUE(log.Contains("CGUIMeterWidget: Missing attribute \"target\"")) << log.Text();
    int32_t value = 0;
    EXPECT_FALSE(meter->ReadValue(value));
}

TEST_F(MeterTest, NoPlayerShowsNothing) {
    ShooterWorld::GetInstance()->Level().SetPlayer(nullptr);
    auto meter = IconMeter(8, 8);
    meter->m_target = CGUIMeterWidget::TargetLives;
    int32_t value = 0;
    EXPECT_FALSE(meter->ReadValue(value));
    meter->Render();
}

TEST_F(MeterTest, AttributesOfTheIconDisplay) {
    auto meter = Load(
        "<widget name=\"m\" vertical=\"true\" gap=\"3\" ratio=\"25\" target=\"h\">"
        "<position x=\"4\" y=\"5\"/><scale x=\"2\" y=\"3\"/></widget>");
    EXPECT_TRUE(meter->m_vertical);
    EXPECT_EQ(meter->m_gap, 3);
    EXPECT_EQ(meter->m_ratio, 25);
    EXPECT_FALSE(meter->m_hasFont);
    EXPECT_EQ(meter->m_position.x, 4.0f);
    EXPECT_EQ(meter->m_scale.y, 3.0f);
    EXPECT_FALSE(Load("<widget name=\"m\" vertical=\"yes\" target=\"h\"/>")->m_vertical);
    EXPECT_EQ(Load("<widget name=\"m\" target=\"h\"/>")->m_ratio, 1);
}

TEST_F(MeterTest, RatioBelowOneIsLogged) {
    LogCapture log;
    Load("<widget name=\"m\" ratio=\"0\" target=\"h\"/>");
    EXPECT_TRUE(log.Contains("CGUIMeterWidget: \"ratio\" 0")) << log.Text();
}

TEST_F(MeterTest, FontSelectsTheNumberDisplayAndAlignment) {
    AddTestFont("digits");
    auto meter = Load("<widget name=\"m\" font=\"digits\" align=\"centre\" target=\"p\"/>");
    EXPECT_TRUE(meter->m_hasFont);
    EXPECT_EQ(meter->m_align, CGUIMeterWidget::AlignCentre);
    EXPECT_EQ(Load("<widget name=\"m\" font=\"digits\" align=\"center\" target=\"p\"/>")->m_align,
              1);
    EXPECT_EQ(Load("<widget name=\"m\" font=\"digits\" align=\"c\" target=\"p\"/>")->m_align, 1);
    EXPECT_EQ(Load("<widget name=\"m\" font=\"digits\" align=\"r\" target=\"p\"/>")->m_align, 2);
    EXPECT_EQ(Load("<widget name=\"m\" font=\"digits\" align=\"right\" target=\"p\"/>")->m_align,
              2);
    EXPECT_EQ(Load("<widget name=\"m\" font=\"digits\" align=\"left\" target=\"p\"/>")->m_align, 0);
    EXPECT_EQ(Load("<widget name=\"m\" font=\"digits\" target=\"p\"/>")->m_align, 0);
}

TEST_F(MeterTest, NumberMeterNeedsNoSprite) {
    AddTestFont("digits");
    LogCapture log;
    auto meter = Load("<widget name=\"m\" font=\"digits\" target=\"p\"/>");
    EXPECT_TRUE(meter->m_hasFont);
    EXPECT_EQ(log.Text(), "");
}

TEST_F(MeterTest, IconMeterWithoutSpriteIsLogged) {
    LogCapture log;
    Load("<widget name=\"m\" target=\"p\"/>");
    EXPECT_TRUE(log.Contains("Missing element <sprite>")) << log.Text();
}

TEST_F(MeterTest, UnknownFontFallsBackToIconsWithALogLine) {
    LogCapture log;
    auto meter = Load("<widget name=\"m\" font=\"nosuch\" target=\"p\"/>");
    EXPECT_FALSE(meter->m_hasFont);
    EXPECT_TRUE(log.Contains("CGUIMeterWidget: Font not found \"nosuch\"")) << log.Text();
}

TEST_F(MeterTest, NumberPositionForTheThreeAlignments) {
    auto meter = std::make_unique<CGUIMeterWidget>();
    meter->m_position = Vector2(200.0f, 100.0f);
    const Vector2 size(32.0f, 8.0f);
    meter->m_align = CGUIMeterWidget::AlignLeft;
    EXPECT_EQ(meter->TextPosition(size).x, 200.0f);
    EXPECT_EQ(meter->TextPosition(size).y, 100.0f);
    meter->m_align = CGUIMeterWidget::AlignCentre;
    EXPECT_EQ(meter->TextPosition(size).x, 184.0f);
    EXPECT_EQ(meter->TextPosition(size).y, 96.0f);
    meter->m_align = CGUIMeterWidget::AlignRight;
    EXPECT_EQ(meter->TextPosition(size).x, 168.0f);
    EXPECT_EQ(meter->TextPosition(size).y, 92.0f);
}

TEST_F(MeterTest, CentredPointsMeasureAndStartAsExpected) {
    CFont* font = AddTestFont("digits");
    auto meter = std::make_unique<CGUIMeterWidget>();
    meter->m_position = Vector2(300.0f, 50.0f);
    meter->m_scale = Vector2(1.0f, 1.0f);
    meter->m_align = CGUIMeterWidget::AlignCentre;
    const Vector2 size = font->MeasureText("1234", meter->m_scale);
    EXPECT_EQ(size.x, 32.0f);
    EXPECT_EQ(size.y, 8.0f);
    EXPECT_EQ(meter->TextPosition(size).x, 284.0f);
    EXPECT_EQ(meter->TextPosition(size).y, 46.0f);
    // A negative value keeps its sign: "-5" is two glyphs wide.
    EXPECT_EQ(font->MeasureText(std::to_string(-5), meter->m_scale).x, 16.0f);
}

TEST_F(MeterTest, ImageWithoutScaleHasScaleZero) {
    AddTestSprite("pic", 8, 8);
    XmlText xml(
        "<widget name=\"i\"><position x=\"1\" y=\"2\"/><sprite name=\"pic\" frame=\"3\"/>"
        "</widget>");
    CGUIStaticImageWidget image;
    image.Load(xml.Root());
    EXPECT_EQ(image.m_scale.x, 0.0f);
    EXPECT_EQ(image.m_scale.y, 0.0f);
    EXPECT_EQ(image.m_frame, 3);
    EXPECT_EQ(image.GetPosition().y, 2.0f);
    EXPECT_FALSE(image.m_animated);
}

TEST_F(MeterTest, ImageWithMissingSpriteLogsTheButtonMessageAndIsNotAnimated) {
    LogCapture log;
    XmlText xml(
        "<widget name=\"i\"><sprite name=\"gone\" frame=\"0\"/>"
        "<animation name=\"a\" action=\"b\"/></widget>");
    CGUIStaticImageWidget image;
    image.Load(xml.Root());
    EXPECT_TRUE(log.Contains("CGUIButtonWidget: Sprite not found \"gone\"\n")) << log.Text();
    EXPECT_FALSE(image.m_animated);
    EXPECT_EQ(image.m_sprite, nullptr);
}

TEST_F(MeterTest, AnimatedImageTakesTheActionFrameFromItsClock) {
    AddTestSprite("pic", 8, 8);
    CAnimation* animation = new CAnimation();
    animation->m_name = "spin";
    auto action = std::make_unique<CAction>();
    action->m_name = "go";
    action->m_totalTime = 100;
    action->m_firstKeyframe = std::make_unique<CKeyframe>();
    action->m_firstKeyframe->m_frameId = 1;
    action->m_firstKeyframe->m_next = std::make_unique<CKeyframe>();
    action->m_firstKeyframe->m_next->m_frameId = 2;
    action->m_firstKeyframe->m_next->m_time = 50;
    animation->m_actions.push_back(std::move(action));
    CAnimationManager::GetInstance()->AddAnimation(animation);
    XmlText xml(
        "<widget name=\"i\"><sprite name=\"pic\" frame=\"0\"/>"
        "<animation name=\"spin\" action=\"go\"/></widget>");
    CGUIStaticImageWidget image;
    image.Load(xml.Root());
    EXPECT_TRUE(image.m_animated);
    EXPECT_EQ(image.m_animation, animation);
    EXPECT_EQ(image.m_action, "go");
    float dt = 31.7f;
    image.Update(dt);
    EXPECT_EQ(image.m_animTime, 31);
    EXPECT_EQ(image.m_frame, 1);
    image.Update(dt);
    EXPECT_EQ(image.m_animTime, 62);
    EXPECT_EQ(image.m_frame, 2);
    // The clock loops at the action's length.
    dt = 40.0f;
    image.Update(dt);
    EXPECT_EQ(image.m_frame, 1);
}

TEST_F(MeterTest, TextWidgetReadsItsAttributesAndLogsAnUnknownFont) {
    LogCapture log;
    XmlText xml(
        "<widget name=\"t\" text=\"GAME OVER\" font=\"nosuch\"><position x=\"3\" y=\"4\"/>"
        "<scale x=\"2\" y=\"2\"/></widget>");
    CGUITextWidget text;
    text.Load(xml.Root());
    EXPECT_EQ(text.m_text, "GAME OVER");
    EXPECT_EQ(text.m_font, nullptr);
    EXPECT_TRUE(log.Contains("CGUITextWidget: Font not found \"nosuch\"")) << log.Text();
}

}  // namespace
