// Play again, the pause key and the pause on focus loss, driven through the world's input
// handler and the event manager as in the game; and the best-score meter.

#include <gtest/gtest.h>

#include <memory>

#include "events/GUIEvent.h"
#include "events/PlayerNoMoreLivesEvent.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "gui/CGUIMeterWidget.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"
#include "unit/GUITestSupport.h"
#include "world/ShooterWorld.h"

namespace {

std::string Level(const std::string& name, int enemies) {
    std::string text = "<level name=\"" + name +
                       "\"><camera><size x=\"1024\" y=\"512\"/></camera>"
                       "<player><position x=\"100\" y=\"200\"/></player><bg/>";
    for (int i = 0; i < enemies; ++i) {
        text += "<enemy name=\"e\" time=\"5000\"><position x=\"0\" y=\"300\"/></enemy>";
    }
    return text + "</level>";
}

class DesktopFlowTest : public InterfaceTest {
protected:
    void SetUp() override {
        InterfaceTest::SetUp();
        m_world = ShooterWorld::GetInstance();
        CEventManager* events = CEventManager::GetInstance();
        for (const EventType* type : {&Event_Shooter_Pause, &Event_Shooter_PlayerDeath,
                                      &Event_Shooter_PlayerNoMoreLives, &Event_Shooter_GUIEvent}) {
            events->AddListener(m_world, *type);
        }
        AddTestSprite("flow-buttons", 40, 40, 3);
        const std::string button =
            "<position x=\"0\" y=\"0\"/><sprite name=\"flow-buttons\" normalFrame=\"0\" "
            "hoverFrame=\"1\" depressFrame=\"2\"/></widget>";
        const std::string layers =
            "<layerset><layer name=\"title\"/><layer name=\"hud\"><widget type=\"button\" "
            "name=\"pause\" event=\"pause\" layer=\"paused\">" +
            button +
            "</layer><layer name=\"paused\"><widget type=\"button\" name=\"resume\" "
            "event=\"pause\" layer=\"hud\">" +
            button + "</layer><layer name=\"gameover\"/></layerset>";
        m_dir.Write("set.xml", layers);
        XmlText gui("<guicfg default=\"title\"><layersetfile>" + m_dir.Path() +
                    "/set.xml</layersetfile></guicfg>");
        m_gui->Load(TiXmlHandle(const_cast<TiXmlElement*>(gui.Root())));
        m_world->Level().SetFile(m_dir.Write("level.xml", Level("first", 2)));
        ASSERT_TRUE(m_world->LoadLevel(m_world->Level().File()));
        m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
        m_world->Session().SetGameOverLayer("gameover");
    }

    // The game as it is a while after the start button: running, on the HUD.
    void Play() {
        m_gui->SetActiveLayer("hud");
        m_world->Session().SetPaused(false);
        m_world->Level().SetStart(1000);
    }
    void Send(SDL_Event event) { m_world->HandleSDLEvent(event); }
    void Key(SDLKey key, SDLMod mod = KMOD_NONE) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.type = SDL_KEYDOWN;
        event.key.keysym.sym = key;
        event.key.keysym.mod = mod;
        Send(event);
        event.type = SDL_KEYUP;
        event.key.type = SDL_KEYUP;
        Send(event);
    }
    void Focus(Uint8 gain, Uint8 state) {
        SDL_Event event{};
        event.type = SDL_ACTIVEEVENT;
        event.active.type = SDL_ACTIVEEVENT;
        event.active.gain = gain;
        event.active.state = state;
        Send(event);
    }
    std::string ActiveLayer() const { return m_gui->GetActiveLayer()->GetName(); }

    TempDir m_dir;
    FakeClock m_clock{50000};
    CGUI* m_gui = CGUI::GetInstance();
    ShooterWorld* m_world = nullptr;
};

TEST_F(DesktopFlowTest, RKeyRestartsFromAFreshStartReadingTheLevelFileAnew) {
    Play();
    ShooterPlayer* old = m_world->Level().Player();
    old->AddPoints(120);
    old->TakeDamage(40);
    m_world->Level().SetFiring(true);
    m_world->AddProjectile(new ShooterProjectile(10, Vector2(), Vector2(1.0f, 0.0f), 5.0f,
                                                 Vector2(1.0f, 1.0f), "none", true));
    m_world->Level().Explosions()->m_explosions.push_back(std::make_unique<ShooterExplosion>());
    m_world->Level().EnemyList().clear();
    // A level designer's edit between two games.
    m_dir.Write("level.xml", Level("edited", 3));

    Key(SDLK_r);
    EXPECT_EQ(m_world->Level().Name(), "first") << "the restart waits for the next tick";
    Deliver();
    EXPECT_EQ(m_world->Level().Name(), "edited");
    EXPECT_EQ(m_world->Level().EnemyList().size(), 3u);
    ASSERT_TRUE(m_world->Level().Player());
    EXPECT_EQ(m_world->Level().Player()->GetPoints(), 0);
    EXPECT_EQ(m_world->Level().Player()->GetLives(), 3);
    EXPECT_EQ(m_world->Level().Player()->GetHealth(), 100);
    EXPECT_TRUE(m_world->Level().ProjectileList().empty());
    EXPECT_TRUE(m_world->Level().Explosions()->m_explosions.empty());
    EXPECT_FALSE(m_world->Level().IsFiring());
    EXPECT_TRUE(m_world->Session().IsPaused());
    EXPECT_EQ(m_world->Level().Start(), 0u);
    EXPECT_EQ(ActiveLayer(), "title");
    EXPECT_EQ(m_world->Session().Scores().Best(), 120) << "the game that ended entered the table";
}

TEST_F(DesktopFlowTest, RestartCommandFromAButtonAfterGameOverRecordsTheScoreOnce) {
    Play();
    m_world->Level().Player()->AddPoints(60);
    CEventManager::GetInstance()->QueueEvent(new PlayerNoMoreLivesEvent());
    Deliver();
    EXPECT_EQ(ActiveLayer(), "gameover");
    EXPECT_EQ(m_world->Session().Scores().Entries().size(), 1u);
    CEventManager::GetInstance()->QueueEvent(new GUIEvent("restart"));
    Deliver();
    EXPECT_EQ(ActiveLayer(), "title");
    EXPECT_EQ(m_world->Session().Scores().Entries().size(), 1u) << "a game enters the table once";
    // A level file that no longer loads keeps the level in play, with one log line.
    m_dir.Write("level.xml", "<level");
    CEventManager::GetInstance()->QueueEvent(new GUIEvent("restart"));
    Deliver();
    EXPECT_EQ(m_world->Level().Name(), "first");
    EXPECT_TRUE(m_world->Session().IsPaused());
}

TEST_F(DesktopFlowTest, PKeyPressesThePauseButtonDuringPlayOnly) {
    Key(SDLK_p);
    Deliver();
    EXPECT_EQ(ActiveLayer(), "title") << "not in play on the title";
    EXPECT_TRUE(m_world->Session().IsPaused());
    Play();
    Key(SDLK_p);
    EXPECT_EQ(ActiveLayer(), "paused");
    Deliver();
    EXPECT_TRUE(m_world->Session().IsPaused());
    Key(SDLK_p);
    EXPECT_EQ(ActiveLayer(), "hud");
    Deliver();
    EXPECT_FALSE(m_world->Session().IsPaused());
    // A layer without a pause button: P toggles the flag itself.
    m_gui->SetActiveLayer("gameover");
    Key(SDLK_p);
    EXPECT_TRUE(m_world->Session().IsPaused());
}

TEST_F(DesktopFlowTest, LosingTheFocusPausesOnceAndNeverResumes) {
    Focus(0, SDL_APPINPUTFOCUS);
    Deliver();
    EXPECT_EQ(ActiveLayer(), "title") << "nothing to pause before play";
    Play();
    Focus(0, SDL_APPMOUSEFOCUS);
    EXPECT_EQ(ActiveLayer(), "hud") << "the pointer leaving the window is not a focus loss";
    Focus(0, SDL_APPINPUTFOCUS);
    Focus(0, SDL_APPACTIVE);  // minimised in the same pass: still one pause
    Deliver();
    EXPECT_TRUE(m_world->Session().IsPaused());
    EXPECT_EQ(ActiveLayer(), "paused");
    Focus(1, SDL_APPINPUTFOCUS | SDL_APPACTIVE);
    Focus(0, SDL_APPINPUTFOCUS);
    Deliver();
    EXPECT_TRUE(m_world->Session().IsPaused());
    EXPECT_EQ(ActiveLayer(), "paused");
}

TEST_F(DesktopFlowTest, BestMeterShowsTheBestScoreKeptWithOrWithoutAPlayer) {
    CGUIMeterWidget meter;
    XmlText xml("<widget type=\"meter\" name=\"best\" target=\"best\"/>");
    meter.Load(xml.Root());
    EXPECT_EQ(meter.m_target, CGUIMeterWidget::TargetBest);
    int32_t value = -1;
    ASSERT_TRUE(meter.ReadValue(value));
    EXPECT_EQ(value, 0);
    m_world->Session().Scores().Add(480, "a");
    m_world->Session().Scores().Add(120, "b");
    m_world->Level().SetPlayer(nullptr);
    ASSERT_TRUE(meter.ReadValue(value));
    EXPECT_EQ(value, 480);
}

}  // namespace
