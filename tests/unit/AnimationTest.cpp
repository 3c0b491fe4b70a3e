// Animation timing: which frame an action shows at a clock, looping and ending, and what
// loading makes of incomplete animation data.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

// Loads one "animation" element given as XML text.
CAnimation Parse(const std::string& text) {
    TiXmlDocument document;
    document.Parse(text.c_str());
    CAnimation animation;
    animation.Load(document.FirstChildElement("animation"));
    return animation;
}

const char* const FLY =
    "<animation name=\"ship\"><action name=\"fly\" totaltime=\"300\">"
    "<keyframe frameid=\"0\" time=\"0\"/><keyframe frameid=\"1\" time=\"100\"/>"
    "<keyframe frameid=\"2\" time=\"200\"/></action></animation>";

TEST(AnimationTiming, EachKeyframeShowsUntilTheNextOne) {
    const CAnimation animation = Parse(FLY);
    EXPECT_EQ(animation.GetFrame("fly", 0, false), 0);
    EXPECT_EQ(animation.GetFrame("fly", 99, false), 0);
    EXPECT_EQ(animation.GetFrame("fly", 100, false), 1);
    EXPECT_EQ(animation.GetFrame("fly", 250, false), 2);
    EXPECT_EQ(animation.GetFrame("fly", 299, false), 2);
}

TEST(AnimationTiming, LoopingWrapsAtTheTotalTime) {
    const CAnimation animation = Parse(FLY);
    EXPECT_EQ(animation.GetFrame("fly", 350, true), 0);
    EXPECT_EQ(animation.GetFrame("fly", 3100, true), 1);
    EXPECT_EQ(animation.GetFrame("fly", 300, true), 0);
}

TEST(AnimationTiming, NonLoopingActionEndsWithMinusTwo) {
    const CAnimation animation = Parse(FLY);
    EXPECT_EQ(animation.GetFrame("fly", 300, false), -2);
    EXPECT_EQ(animation.GetFrame("fly", 350, false), -2);
}

TEST(AnimationTiming, ClockBeforeTheFirstKeyframeShowsTheLastFrame) {
    const CAnimation animation = Parse(
        "<animation name=\"a\"><action name=\"late\" totaltime=\"200\">"
        "<keyframe frameid=\"5\" time=\"50\"/><keyframe frameid=\"6\" time=\"100\"/>"
        "</action></animation>");
    EXPECT_EQ(animation.GetFrame("late", 10, false), 6);
}

TEST(AnimationTiming, SingleKeyframeShowsUntilTheEnd) {
    const CAnimation animation = Parse(
        "<animation name=\"a\"><action name=\"one\" totaltime=\"100\">"
        "<keyframe frameid=\"7\" time=\"0\"/></action></animation>");
    EXPECT_EQ(animation.GetFrame("one", 40, false), 7);
    EXPECT_EQ(animation.GetFrame("one", 100, false), -2);
}

TEST(AnimationTiming, UnknownActionIsLoggedAndAnswersMinusOne) {
    const CAnimation animation = Parse(FLY);
    LogCapture log;
    EXPECT_EQ(animation.GetFrame("explode", 0, true), -1);
    EXPECT_EQ(log.Text(), "Action \"explode\" not found in animation \"ship\"\n");
    log.Clear();
    EXPECT_EQ(animation.GetActionLength("explode"), 0u);
    EXPECT_EQ(log.Text(), "Action \"explode\" not found in animation \"ship\"\n");
    EXPECT_EQ(animation.GetActionLength("fly"), 300u);
}

// Whoever names an unknown action asks for it on every update: one line, not one per frame.
TEST(AnimationTiming, UnknownActionAskedOnEveryUpdateIsLoggedOnce) {
    const CAnimation animation = Parse(FLY);
    LogCapture log;
    for (uint32_t clock = 0; clock < 5000; clock += 31) {
        EXPECT_EQ(animation.GetFrame("flyy", clock, true), -1);
    }
    EXPECT_EQ(log.Text(), "Action \"flyy\" not found in animation \"ship\"\n");
}

TEST(AnimationTiming, FirstOfTwoActionsOfTheSameNameAnswers) {
    const CAnimation animation = Parse(
        "<animation name=\"a\"><action name=\"fly\" totaltime=\"100\">"
        "<keyframe frameid=\"3\" time=\"0\"/></action><action name=\"fly\" totaltime=\"500\">"
        "<keyframe frameid=\"9\" time=\"0\"/></action></animation>");
    EXPECT_EQ(animation.GetFrame("fly", 50, false), 3);
    EXPECT_EQ(animation.GetActionLength("fly"), 100u);
}

TEST(AnimationTiming, LoopingActionWithoutLengthNeitherDividesByZeroNorEnds) {
    const CAnimation animation = Parse(
        "<animation name=\"a\"><action name=\"still\">"
        "<keyframe frameid=\"0\" time=\"0\"/><keyframe frameid=\"4\" time=\"100\"/>"
        "</action></animation>");
    EXPECT_EQ(animation.GetFrame("still", 50, true), 0);
    EXPECT_EQ(animation.GetFrame("still", 150, true), 4);
    EXPECT_EQ(animation.GetFrame("still", 150, false), -2);
}

TEST(AnimationLoading, AnimationWithoutActionsIsLogged) {
    LogCapture log;
    const CAnimation animation = Parse("<animation name=\"bare\"/>");
    EXPECT_EQ(log.Text(), "CAnimation: No actions found for animation \"bare\"\n");
    EXPECT_TRUE(animation.m_actions.empty());
}

TEST(AnimationLoading, ActionWithoutKeyframesStopsLoadingButKeepsEarlierActions) {
    LogCapture log;
    const CAnimation animation = Parse(
        "<animation name=\"a\"><action name=\"first\" totaltime=\"10\">"
        "<keyframe frameid=\"1\" time=\"0\"/></action><action name=\"empty\" totaltime=\"10\"/>"
        "<action name=\"after\" totaltime=\"10\"><keyframe frameid=\"2\" time=\"0\"/>"
        "</action></animation>");
    EXPECT_EQ(log.Text(), "CAnimation: No frames found for action \"empty\"\n");
    ASSERT_EQ(animation.m_actions.size(), 1u);
    EXPECT_EQ(animation.m_actions[0]->m_name, "first");
}

TEST(AnimationLoading, MissingKeyframeValuesAreZero) {
    const CAnimation animation = Parse(
        "<animation name=\"a\"><action name=\"x\" totaltime=\"10\"><keyframe/></action>"
        "</animation>");
    ASSERT_EQ(animation.m_actions.size(), 1u);
    EXPECT_EQ(animation.m_actions[0]->m_firstKeyframe->m_frameId, 0);
    EXPECT_EQ(animation.m_actions[0]->m_firstKeyframe->m_time, 0);
}

TEST(AnimationLoading, MissingNameIsLoggedWithTheFile) {
    TempDir dir;
    dir.Enter();
    dir.Write("anims.xml",
              "<animationset><animation><action name=\"x\" totaltime=\"5\">"
              "<keyframe frameid=\"0\" time=\"0\"/></action></animation></animationset>");
    LogCapture log;
    CAnimationManager::GetInstance()->LoadAnimationSet("anims.xml");
    EXPECT_TRUE(log.Contains("CAnimation: Missing attribute \"name\" of <animation> in anims.xml"))
        << log.Text();
    CAnimationManager::GetInstance()->UnloadAll();
}

TEST(AnimationSet, NestedSetIsLoadedAndTheFirstOfTwoNamesIsFound) {
    TempDir dir;
    dir.Enter();
    dir.Write("anims.xml",
              "<data><animationset>"
              "<animation name=\"boom\"><action name=\"x\" totaltime=\"5\">"
              "<keyframe frameid=\"1\" time=\"0\"/></action></animation>"
              "<animation name=\"boom\"><action name=\"x\" totaltime=\"5\">"
              "<keyframe frameid=\"2\" time=\"0\"/></action></animation>"
              "</animationset></data>");
    CAnimationManager* manager = CAnimationManager::GetInstance();
    manager->LoadAnimationSet("anims.xml");
    ASSERT_NE(manager->GetAnimation("boom"), nullptr);
    EXPECT_EQ(manager->GetAnimation("boom")->GetFrame("x", 0, false), 1);
    EXPECT_EQ(manager->GetAnimation("bang"), nullptr);
    manager->UnloadAll();
    EXPECT_EQ(manager->GetAnimation("boom"), nullptr);
}

TEST(AnimationSet, MissingOrInvalidFileIsLoggedWithItsName) {
    TempDir dir;
    dir.Enter();
    dir.Write("broken.xml", "<animationset><animation name=\"a\">");
    LogCapture log;
    CAnimationManager::GetInstance()->LoadAnimationSet("absent.xml");
    CAnimationManager::GetInstance()->LoadAnimationSet("broken.xml");
    EXPECT_TRUE(log.Contains("CAnimation: Animation set file absent.xml is missing")) << log.Text();
    EXPECT_TRUE(log.Contains("CAnimation: Animation set file broken.xml is missing")) << log.Text();
    EXPECT_EQ(CAnimationManager::GetInstance()->GetAnimation("a"), nullptr);
}

}  // namespace
