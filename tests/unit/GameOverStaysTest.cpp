// Game over is left only by quitting: once the ship is gone for good, the last enemy leaving
// the level must not replace the game-over screen with the level-cleared one.

#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "events/PlayerNoMoreLivesEvent.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "support/TempDir.h"

using gametest::WorldFixture;

namespace {

class GameOverStaysTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        m_gui->LoadLayerSet(m_dir.Write("layers.xml",
                                        "<layerset><layer name='gohud'/><layer name='goover'/>"
                                        "<layer name='gocomplete'/></layerset>"));
        m_gui->SetActiveLayer("gohud");
        world->Session().SetGameOverLayer("goover");
        world->Session().SetGameCompleteLayer("gocomplete");
    }
    void TearDown() override {
        m_gui->UnloadAll();
        WorldFixture::TearDown();
    }

    std::string ActiveLayer() const {
        return m_gui->GetActiveLayer() ? m_gui->GetActiveLayer()->GetName() : "";
    }

    TempDir m_dir;
    CGUI* m_gui = CGUI::GetInstance();
};

}  // namespace

TEST_F(GameOverStaysTest, TheLastEnemyGoneAfterGameOverKeepsTheGameOverLayer) {
    ShooterPlayer& ship = MakeLevel();
    ship.m_lives = 0;
    ship.m_dead = true;
    PlayerNoMoreLivesEvent last;
    world->HandleEvent(&last);
    ASSERT_EQ(ActiveLayer(), "goover");
    Step();
    Step();
    EXPECT_EQ(ActiveLayer(), "goover");
}

TEST_F(GameOverStaysTest, TheLevelIsClearedWhileTheLastShipIsComingBack) {
    ShooterPlayer& ship = MakeLevel();
    ship.m_lives = 0;
    ship.m_dead = true;
    ship.BeginRespawn();
    Step();
    EXPECT_EQ(ActiveLayer(), "gocomplete");
}

TEST_F(GameOverStaysTest, TheLevelIsClearedWithShipsLeft) {
    MakeLevel();
    Step();
    EXPECT_EQ(ActiveLayer(), "gocomplete");
}
