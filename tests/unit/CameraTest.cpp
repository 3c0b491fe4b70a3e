#include "game/ShooterCamera.h"

#include <gtest/gtest.h>

#include "GameTestSupport.h"

TEST(CameraTest, LoadsPositionVelocityAndSize) {
    gametest::XmlSnippet xml(
        "<camera><position x='10' y='20'/><velocity x='2' y='0.5'/>"
        "<size x='640' y='480'/></camera>");
    ShooterCamera camera;
    camera.Load(xml.Root());
    EXPECT_EQ(camera.GetPosition().x, 10.0f);
    EXPECT_EQ(camera.GetPosition().y, 20.0f);
    EXPECT_EQ(camera.m_velocity.y, 0.5f);
    EXPECT_EQ(camera.GetSize().x, 640.0f);
}

TEST(CameraTest, MovesOneVelocityStepPerUpdateWhateverItsDuration) {
    ShooterCamera camera;
    camera.m_velocity = Vector2(2.0f, 0.0f);
    for (int i = 0; i < 100; ++i) {
        float dt = static_cast<float>(31 + i % 7 * 100);
        camera.Update(dt);
    }
    EXPECT_EQ(camera.GetPosition().x, 200.0f);
    EXPECT_EQ(camera.GetPosition().y, 0.0f);
}

TEST(CameraTest, AStillCameraNeverMoves) {
    ShooterCamera camera;
    camera.m_position = Vector2(5.0f, 6.0f);
    float dt = 31.0f;
    camera.Update(dt);
    EXPECT_EQ(camera.GetPosition().x, 5.0f);
    EXPECT_EQ(camera.GetPosition().y, 6.0f);
}
