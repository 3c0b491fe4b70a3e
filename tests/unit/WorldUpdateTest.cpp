// The world's update around the rules: nothing moves while paused or without a ship, the
// level clock starts with the first unpaused update, and a cleared level shows its layer.
#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "support/TempDir.h"

using gametest::WorldFixture;

namespace {

class WorldUpdateTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ship = &MakeLevel(32, 16);
    }

    ShooterPlayer* ship = nullptr;
};

}  // namespace

TEST_F(WorldUpdateTest, NothingMovesWhilePausedOrWithoutAShip) {
    world->Session().SetPaused(true);
    world->Level().Camera()->m_velocity = Vector2(2.0f, 0.0f);
    ship->SetVelocity(Vector2(1.0f, 0.0f));
    Step();
    EXPECT_EQ(world->Level().Start(), 0u);
    EXPECT_EQ(world->Level().Camera()->GetPosition().x, 0.0f);
    EXPECT_EQ(ship->GetPosition().x, 100.0f);
    world->Session().SetPaused(false);
    world->Level().SetPlayer(nullptr);
    Step();
    EXPECT_EQ(world->Level().Start(), 0u);
    EXPECT_EQ(world->Level().Camera()->GetPosition().x, 0.0f);
}

TEST_F(WorldUpdateTest, TheFirstUnpausedUpdateStartsTheLevelClock) {
    world->Session().SetPaused(true);
    Step();
    world->Session().SetPaused(false);
    Step();
    EXPECT_EQ(world->Level().Start(), clock.Now());
    EXPECT_EQ(world->Level().Time(), 0);
    Step();
    EXPECT_EQ(world->Level().Time(), 31);
    // Paused time counts: the level clock is the wall clock.
    world->Session().SetPaused(true);
    Step(500.0f);
    world->Session().SetPaused(false);
    Step();
    EXPECT_EQ(world->Level().Time(), 562);
}

TEST_F(WorldUpdateTest, ALevelWithoutEnemiesShowsTheGameCompleteLayer) {
    TempDir dir;
    const std::string layers = dir.Write(
        "layers.xml", "<layerset><layer name='wuhud'/><layer name='wucomplete'/></layerset>");
    CGUI* gui = CGUI::GetInstance();
    gui->LoadLayerSet(layers);
    gui->SetActiveLayer("wuhud");
    ASSERT_NE(gui->GetActiveLayer(), nullptr);
    world->Session().SetGameCompleteLayer("wucomplete");
    world->Session().SetPaused(true);
    Step();
    EXPECT_EQ(gui->GetActiveLayer()->GetName(), "wuhud");
    world->Session().SetPaused(false);
    Step();
    EXPECT_EQ(gui->GetActiveLayer()->GetName(), "wucomplete");
    gui->UnloadAll();
}

