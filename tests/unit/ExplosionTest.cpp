#include "game/ShooterExplosionManager.h"

#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"
#include "support/LogCapture.h"

using gametest::RegisterSprite;
using gametest::UniqueName;

namespace {

// An animation with one action "boom" of the given length.
CAnimation* RegisterAnimation(uint32_t length) {
    auto* animation = new CAnimation();
    animation->m_name = UniqueName("explosion");
    auto action = std::make_unique<CAction>();
    action->m_name = "boom";
    action->m_totalTime = static_cast<int32_t>(length);
    action->m_firstKeyframe = std::make_unique<CKeyframe>();
    animation->m_actions.push_back(std::move(action));
    CAnimationManager::GetInstance()->AddAnimation(animation);
    return animation;
}

void Advance(ShooterExplosionManager& manager, int n) {
    for (int i = 0; i < n; ++i) {
        float dt = 31.0f;
        manager.Update(dt);
    }
}

}  // namespace

TEST(ExplosionTest, LoadsTheConfiguredSpriteAnimationAndLength) {
    const std::string sprite = RegisterSprite("explosion", 32, 32)->m_name;
    const CAnimation* animation = RegisterAnimation(500);
    gametest::XmlSnippet xml("<explosioncfg sprite='" + sprite + "' anim='" + animation->m_name +
                             "' action='boom'/>");
    ShooterExplosionManager manager;
    EXPECT_TRUE(manager.Load(TiXmlHandle(const_cast<TiXmlElement*>(xml.Root()))));
    ASSERT_NE(manager.m_sprite, nullptr);
    EXPECT_EQ(manager.m_sprite->m_name, sprite);
    EXPECT_EQ(manager.m_animation, animation);
    EXPECT_EQ(manager.m_action, "boom");
    EXPECT_EQ(manager.m_duration, 500u);
}

TEST(ExplosionTest, RunsUntilTheUpdateAfterItsTimeReachesTheDuration) {
    ShooterExplosionManager manager;
    manager.m_sprite = RegisterSprite("explosion", 32, 32);
    manager.m_animation = RegisterAnimation(500);
    manager.m_duration = 500;
    manager.Spawn(Vector2(5.0f, 6.0f));
    manager.Spawn(Vector2(7.0f, 8.0f));
    ASSERT_EQ(manager.m_explosions.size(), 2u);
    EXPECT_EQ(manager.m_explosions[0]->m_position.x, 5.0f);
    EXPECT_EQ(manager.m_explosions[1]->m_position.x, 7.0f);
    Advance(manager, 16);
    EXPECT_EQ(manager.m_explosions[0]->m_time, 496u);
    Advance(manager, 1);
    EXPECT_EQ(manager.m_explosions[0]->m_time, 527u);
    EXPECT_EQ(manager.m_explosions.size(), 2u);
    manager.Spawn(Vector2(9.0f, 9.0f));
    Advance(manager, 1);
    ASSERT_EQ(manager.m_explosions.size(), 1u);
    EXPECT_EQ(manager.m_explosions[0]->m_position.x, 9.0f);
    EXPECT_EQ(manager.m_explosions[0]->m_time, 31u);
}

TEST(ExplosionTest, AMissingConfigurationGivesNoExplosions) {
    LogCapture log;
    ShooterExplosionManager manager;
    EXPECT_TRUE(manager.Load(TiXmlHandle(static_cast<TiXmlNode*>(nullptr))));
    EXPECT_TRUE(log.Contains("ShooterExplosionManager: No <explosioncfg>"));
    manager.Spawn(Vector2(1.0f, 1.0f));
    EXPECT_TRUE(manager.m_explosions.empty());
    bool drawBox = false;
    manager.Render(drawBox);
}

TEST(ExplosionTest, UnknownResourcesAreLoggedAndGiveNoExplosions) {
    LogCapture log;
    gametest::XmlSnippet xml("<explosioncfg sprite='nosuchboom' anim='nosuchanim'/>");
    ShooterExplosionManager manager;
    manager.Load(TiXmlHandle(const_cast<TiXmlElement*>(xml.Root())));
    EXPECT_TRUE(log.Contains("Sprite \"nosuchboom\" not found"));
    EXPECT_TRUE(log.Contains("Animation \"nosuchanim\" not found"));
    EXPECT_TRUE(log.Contains("Missing attribute \"action\""));
    manager.Spawn(Vector2(1.0f, 1.0f));
    EXPECT_TRUE(manager.m_explosions.empty());
}

TEST(ExplosionTest, AnActionOfNoLengthGivesNoExplosions) {
    const std::string sprite = RegisterSprite("explosion", 32, 32)->m_name;
    const CAnimation* animation = RegisterAnimation(500);
    gametest::XmlSnippet xml("<explosioncfg sprite='" + sprite + "' anim='" + animation->m_name +
                             "' action='fizzle'/>");
    LogCapture log;
    ShooterExplosionManager manager;
    manager.Load(TiXmlHandle(const_cast<TiXmlElement*>(xml.Root())));
    EXPECT_EQ(manager.m_duration, 0u);
    manager.Spawn(Vector2(1.0f, 1.0f));
    EXPECT_TRUE(manager.m_explosions.empty());
}
