// The whole start-up on a real window: every step runs, in order, with a configuration that
// names resources but no level.
#include "WorldGLSupport.h"
#include "events/CEventManager.h"
#include "events/EventType.h"
#include "gui/CGUI.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"
#include "support/FakeClock.h"

namespace {

class InitTest : public WorldGLTest {
protected:
    void TearDown() override {
        CGUI::GetInstance()->UnloadAll();
        CFontManager::GetInstance()->UnloadAll();
        CAnimationManager::GetInstance()->UnloadAll();
        CSpriteManager::GetInstance()->UnloadAll();
        WorldGLTest::TearDown();
    }
};

TEST_F(InitTest, EveryStepRunsInOrderWithoutALevel) {
    m_dir.Write("config.xml",
                "<config width=\"1024\" height=\"512\" gameoverlayer=\"over\" "
                "gamecompletelayer=\"done\"><fontsetfile>fonts.xml</fontsetfile>"
                "<animationsetfile>anims.xml</animationsetfile>"
                "<spritesetfile>sprites.xml</spritesetfile><guicfg/><explosioncfg/></config>");
    FakeClock clock(123456);
    m_world->Init();
    ASSERT_FALSE(m_world->IsQuit()) << m_log.Text();
    const std::string log = m_log.Text();
    // Window first, then sprite, animation and font sets, whatever the order in the file.
    const size_t window = log.find("InitGL completed.\n");
    const size_t sprites = log.find("sprites.xml");
    const size_t anims = log.find("anims.xml");
    const size_t fonts = log.find("fonts.xml");
    ASSERT_NE(window, std::string::npos) << log;
    ASSERT_NE(fonts, std::string::npos) << log;
    EXPECT_LT(window, sprites);
    EXPECT_LT(sprites, anims);
    EXPECT_LT(anims, fonts);
    EXPECT_EQ(m_world->Level().Time(), 123456);
    EXPECT_EQ(m_world->Level().Player(), nullptr);
    EXPECT_NE(m_world->Level().Explosions(), nullptr);
    EXPECT_TRUE(m_world->Session().IsPaused());
    CEventManager* events = CEventManager::GetInstance();
    for (const EventType* type : {&Event_Shooter_Pause, &Event_Shooter_PlayerDeath,
                                  &Event_Shooter_PlayerNoMoreLives, &Event_Shooter_GUIEvent}) {
        // Adding a listener twice is refused: the world is already registered.
        EXPECT_TRUE(events->ValidateType(*type)) << type->GetName();
        EXPECT_FALSE(events->AddListener(m_world, *type)) << type->GetName();
    }
    events->DelListener(m_world, Event_Shooter_Pause);
}

// The game flow switches to these layers by name: one that no layer set defines is named in
// the log once, at start-up.
TEST_F(InitTest, UnknownFlowLayersAreLoggedAtStartUp) {
    m_dir.Write("layers.xml", "<layerset><layer name=\"over\"/></layerset>");
    m_dir.Write("config.xml",
                "<config width=\"1024\" height=\"512\" gameoverlayer=\"over\" "
                "gamecompletelayer=\"done\"><guicfg default=\"over\"><layersetfile>layers.xml"
                "</layersetfile></guicfg><explosioncfg/></config>");
    m_world->Init();
    const std::string log = m_log.Text();
    EXPECT_NE(log.find("CEngine: Game-complete layer \"done\" is not defined in any layer set\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("is not defined in any layer set"),
              log.rfind("is not defined in any layer set"))
        << log;
    CEventManager::GetInstance()->DelListener(m_world, Event_Shooter_Pause);
}

TEST_F(InitTest, MissingInterfaceElementIsLogged) {
    m_dir.Write("config.xml",
                "<config width=\"1024\" height=\"512\" gameoverlayer=\"over\" "
                "gamecompletelayer=\"done\"/>");
    m_world->Init();
    EXPECT_TRUE(m_log.Contains("CEngine: Missing element <guicfg> in <config> of config.xml"))
        << m_log.Text();
    EXPECT_FALSE(m_world->IsQuit());
    CEventManager::GetInstance()->DelListener(m_world, Event_Shooter_Pause);
}

}  // namespace
