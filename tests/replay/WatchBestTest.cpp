// The title's "watchbest" button is offered only while the best entry's run is kept.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ReplaySupport.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "gui/IGUIWidget.h"
#include "resources/CSpriteManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/ReplayMain.h"
#include "world/ReplayStore.h"
#include "world/ShooterWorld.h"

namespace {

class WatchBestTest : public replaytest::InDataFolder {
protected:
    void SetUp() override {
        InDataFolder::SetUp();
        CSpriteManager::GetInstance()->LoadSpriteSet("sets/sprites.xml");
        const std::string layers =
            home.Write("layers.xml",
                       "<layerset><layer name=\"title\"><widget type=\"button\" name=\"watch\" "
                       "event=\"watchbest\"><position x=\"10\" y=\"10\"/><sprite name=\"buttons\" "
                       "normalFrame=\"0\" hoverFrame=\"1\" depressFrame=\"2\"/></widget></layer>"
                       "</layerset>");
        CGUI::GetInstance()->LoadLayerSet(layers);
        CGUI::GetInstance()->SetActiveLayer("title");
        world = ShooterWorld::GetInstance();
        world->Recording().SetStore(std::make_unique<ReplayStore>(home.Path() + "/replays"));
    }
    void TearDown() override {
        ShooterWorld::DestroyInstance();
        CGUI::GetInstance()->UnloadAll();
        InDataFolder::TearDown();
    }

    bool ButtonShown() const {
        return CGUI::GetInstance()->GetActiveLayer()->m_widgets.front()->IsVisible();
    }

    TempDir home;
    ShooterWorld* world = nullptr;
};

}  // namespace

TEST_F(WatchBestTest, TheButtonShowsOnlyWhileTheBestRunIsKept) {
    world->Session().Scores().Add(300, "2026-03-03T10:00:00Z");
    OfferBestRun(world);
    EXPECT_FALSE(ButtonShown());

    ReplayStore(home.Path() + "/replays")
        .KeepBest({1, 2, 3}, "2026-03-03T10:00:00Z", world->Session().Scores());
    world->Recording().SetStore(std::make_unique<ReplayStore>(home.Path() + "/replays"));
    OfferBestRun(world);
    EXPECT_TRUE(ButtonShown());
}

TEST_F(WatchBestTest, ABestRunThatCannotBeReadIsLoggedAndTheTitleStays) {
    world->Session().Scores().Add(300, "2026-03-03T10:00:00Z");
    ReplayStore(home.Path() + "/replays")
        .KeepBest({1, 2, 3}, "2026-03-03T10:00:00Z", world->Session().Scores());
    world->Recording().RequestWatch();
    LogCapture log;
    WatchRequestedRun(world);
    EXPECT_TRUE(log.Contains("The best run cannot be watched: " + home.Path() +
                             "/replays/best-2026-03-03T10-00-00Z.gxr: not a replay file"))
        << log.Text();
    EXPECT_EQ(CGUI::GetInstance()->GetActiveLayer()->GetName(), "title");
}
