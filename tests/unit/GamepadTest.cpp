// The gamepad played like the keyboard: joystick events fed to the world's input handler
// steer with the same 14-pixel steps (dead zone included), fire, fire the ring, step the
// weapon pattern and pause through the HUD's pause button.

#include <gtest/gtest.h>

#include <memory>

#include "game/ShooterPlayer.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "support/TempDir.h"
#include "unit/GUITestSupport.h"
#include "world/GamepadInput.h"
#include "world/ShooterWorld.h"

namespace {

class GamepadTest : public InterfaceTest {
protected:
    void SetUp() override {
        InterfaceTest::SetUp();
        m_world = ShooterWorld::GetInstance();
        m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
        CEventManager::GetInstance()->AddListener(m_world, Event_Shooter_GUIEvent);
        AddTestSprite("pad-buttons", 40, 40, 3);
        m_gui->LoadLayerSet(m_dir.Write(
            "set.xml",
            "<layerset><layer name=\"hud\"><widget type=\"button\" name=\"pause\" "
            "event=\"pause\" layer=\"paused\"><position x=\"0\" y=\"0\"/><sprite "
            "name=\"pad-buttons\" normalFrame=\"0\" hoverFrame=\"1\" depressFrame=\"2\"/>"
            "</widget></layer><layer name=\"paused\"><widget type=\"button\" name=\"resume\" "
            "event=\"pause\" layer=\"hud\"><position x=\"0\" y=\"0\"/><sprite "
            "name=\"pad-buttons\" normalFrame=\"0\" hoverFrame=\"1\" depressFrame=\"2\"/>"
            "</widget></layer></layerset>"));
        m_gui->SetActiveLayer("hud");
    }

    void Axis(Uint8 axis, Sint16 value) {
        SDL_Event event{};
        event.type = SDL_JOYAXISMOTION;
        event.jaxis.type = SDL_JOYAXISMOTION;
        event.jaxis.axis = axis;
        event.jaxis.value = value;
        m_world->HandleSDLEvent(event);
    }
    void Hat(Uint8 value) {
        SDL_Event event{};
        event.type = SDL_JOYHATMOTION;
        event.jhat.type = SDL_JOYHATMOTION;
        event.jhat.value = value;
        m_world->HandleSDLEvent(event);
    }
    void Button(Uint8 button, bool pressed) {
        SDL_Event event{};
        event.type = pressed ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
        event.jbutton.type = event.type;
        event.jbutton.button = button;
        m_world->HandleSDLEvent(event);
    }
    void Tap(Uint8 button) {
        Button(button, true);
        Button(button, false);
    }
    ::testing::AssertionResult VelocityIs(float x, float y) const {
        const Vector2 v = m_world->Level().Player()->GetVelocity();
        if (v.x == x && v.y == y) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "velocity (" << v.x << ", " << v.y << ")";
    }
    std::string ActiveLayer() const { return m_gui->GetActiveLayer()->GetName(); }

    TempDir m_dir;
    CGUI* m_gui = CGUI::GetInstance();
    ShooterWorld* m_world = nullptr;
};

TEST_F(GamepadTest, StickSteersByFourteenOutsideTheDeadZoneAndStopsWhenCentred) {
    Axis(0, 8000);
    Axis(1, -8000);
    EXPECT_TRUE(VelocityIs(0.0f, 0.0f)) << "a resting stick inside the dead zone";
    Axis(0, 8001);
    EXPECT_TRUE(VelocityIs(14.0f, 0.0f));
    Axis(0, 32767);
    EXPECT_TRUE(VelocityIs(14.0f, 0.0f)) << "further along the same way adds nothing";
    Axis(1, -20000);  // SDL's y counts downwards: this is up
    EXPECT_TRUE(VelocityIs(14.0f, 14.0f));
    Axis(0, -32768);  // straight from right to left
    EXPECT_TRUE(VelocityIs(-14.0f, 14.0f));
    Axis(0, 100);
    Axis(1, 0);
    EXPECT_TRUE(VelocityIs(0.0f, 0.0f));
    Axis(2, 32767);  // the right stick does not steer
    EXPECT_TRUE(VelocityIs(0.0f, 0.0f));
}

TEST_F(GamepadTest, HatSteersLikeTheArrowsAndAddsToTheStick) {
    Hat(SDL_HAT_RIGHTUP);
    EXPECT_TRUE(VelocityIs(14.0f, 14.0f));
    Hat(SDL_HAT_DOWN);
    EXPECT_TRUE(VelocityIs(0.0f, -14.0f));
    Axis(1, 30000);  // stick down as well: two sources, like arrow and S held together
    EXPECT_TRUE(VelocityIs(0.0f, -28.0f));
    Hat(SDL_HAT_CENTERED);
    Axis(1, 0);
    EXPECT_TRUE(VelocityIs(0.0f, 0.0f));
}

TEST_F(GamepadTest, ADeadShipTakesNoSteeringNorButtons) {
    m_world->Level().Player()->m_dead = true;
    Axis(0, 32767);
    Button(0, true);
    Tap(5);
    EXPECT_TRUE(VelocityIs(0.0f, 0.0f));
    EXPECT_FALSE(m_world->Level().IsFiring());
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 0);
}

TEST_F(GamepadTest, FaceButtonsFireWhileHeldAndFireTheRing) {
    Button(0, true);
    EXPECT_TRUE(m_world->Level().IsFiring());
    Button(0, false);
    EXPECT_FALSE(m_world->Level().IsFiring());
    Tap(1);
    EXPECT_EQ(m_world->Level().ProjectileList().size(), 25u) << "one ring of 25 shots";
    Tap(2);
    Tap(3);
    EXPECT_EQ(m_world->Level().ProjectileList().size(), 25u);
    EXPECT_FALSE(m_world->Level().IsFiring());
}

TEST_F(GamepadTest, ShouldersStepTheWeaponPatternWithinItsFourLevels) {
    Tap(4);
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 0);
    for (int i = 0; i < 5; ++i) {
        Tap(5);
    }
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 3);
    Tap(4);
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 2);
}

TEST_F(GamepadTest, StartPausesAndResumesThroughThePauseButtonOnlyDuringPlay) {
    m_world->Session().SetPaused(false);
    Tap(GamepadInput::kStartButton);
    EXPECT_EQ(ActiveLayer(), "hud") << "not in play before the level clock starts";
    m_world->Level().SetStart(1);
    Tap(GamepadInput::kStartButton);
    EXPECT_EQ(ActiveLayer(), "paused");
    Deliver();
    EXPECT_TRUE(m_world->Session().IsPaused());
    Tap(GamepadInput::kStartButton);
    EXPECT_EQ(ActiveLayer(), "hud");
    Deliver();
    EXPECT_FALSE(m_world->Session().IsPaused());
    EXPECT_EQ(m_recorder.commands, (std::vector<std::string>{"pause", "pause"}));
}

}  // namespace
