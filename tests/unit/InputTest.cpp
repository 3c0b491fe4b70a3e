// The fixed key bindings, the records handed to the interface and the y flip of the mouse,
// with and without a level.

#include <gtest/gtest.h>

#include <memory>

#include "game/ShooterCamera.h"
#include "game/ShooterPlayer.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "support/TempDir.h"
#include "unit/GUITestSupport.h"
#include "world/ShooterWorld.h"

namespace {

class InputTest : public InterfaceTest {
protected:
    void SetUp() override {
        InterfaceTest::SetUp();
        m_world = ShooterWorld::GetInstance();
        m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
        m_world->Level().SetCamera(std::make_unique<ShooterCamera>());
        m_world->Level().Camera()->m_size = Vector2(1024.0f, 512.0f);
        m_world->Window().SetSize(0, 600);
        // One active layer whose only widget records what reaches the interface.
        m_gui->LoadLayerSet(m_dir.Write("set.xml", "<layerset><layer name=\"l\"/></layerset>"));
        m_gui->SetActiveLayer("l");
        m_recorder = new RecordingWidget();
        m_gui->GetActiveLayer()->m_widgets.emplace_back(m_recorder);
    }

    void Key(Uint8 type, SDLKey key) {
        SDL_Event event{};
        event.type = type;
        event.key.type = type;
        event.key.keysym.sym = key;
        m_world->HandleSDLEvent(event);
    }
    void Press(SDLKey key) { Key(SDL_KEYDOWN, key); }
    void Release(SDLKey key) { Key(SDL_KEYUP, key); }
    void Tap(SDLKey key) {
        Press(key);
        Release(key);
    }
    void MouseButton(Uint8 type, Uint8 button, Uint16 x, Uint16 y) {
        SDL_Event event{};
        event.type = type;
        event.button.type = type;
        event.button.button = button;
        event.button.x = x;
        event.button.y = y;
        m_world->HandleSDLEvent(event);
    }
    void MouseMove(Uint16 x, Uint16 y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        m_world->HandleSDLEvent(event);
    }
    Vector2 Velocity() const { return m_world->Level().Player()->GetVelocity(); }

    TempDir m_dir;
    CGUI* m_gui = CGUI::GetInstance();
    ShooterWorld* m_world = nullptr;
    RecordingWidget* m_recorder = nullptr;  // owned by the layer
};

TEST_F(InputTest, ArrowsAndWasdSteerByFourteenPerPressAndRelease) {
    Press(SDLK_RIGHT);
    EXPECT_EQ(Velocity().x, 14.0f);
    Press(SDLK_w);
    EXPECT_EQ(Velocity().y, 14.0f);
    Release(SDLK_RIGHT);
    Release(SDLK_w);
    EXPECT_EQ(Velocity().x, 0.0f);
    EXPECT_EQ(Velocity().y, 0.0f);
    Press(SDLK_LEFT);
    Press(SDLK_d);
    EXPECT_EQ(Velocity().x, 0.0f);
    Press(SDLK_s);
    Press(SDLK_DOWN);
    EXPECT_EQ(Velocity().y, -28.0f);
    Press(SDLK_a);
    Press(SDLK_UP);
    EXPECT_EQ(Velocity().x, -14.0f);
    EXPECT_EQ(Velocity().y, -14.0f);
    for (SDLKey key : {SDLK_LEFT, SDLK_d, SDLK_s, SDLK_DOWN, SDLK_a, SDLK_UP}) {
        Release(key);
    }
    EXPECT_EQ(Velocity().x, 0.0f);
    EXPECT_EQ(Velocity().y, 0.0f);
}

TEST_F(InputTest, NumberKeysChooseTheWeaponLevelOnPress) {
    Press(SDLK_3);
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 2);
    Release(SDLK_3);
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 2);
    Tap(SDLK_4);
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 3);
    Tap(SDLK_1);
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 0);
    Tap(SDLK_2);
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 1);
    Tap(SDLK_5);
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 1);
}

TEST_F(InputTest, SpaceFiresWhileHeld) {
    Press(SDLK_SPACE);
    EXPECT_TRUE(m_world->Level().IsFiring());
    Release(SDLK_SPACE);
    EXPECT_FALSE(m_world->Level().IsFiring());
}

TEST_F(InputTest, NSwitchesMotionBlurOnAndOff) {
    Press(SDLK_n);
    EXPECT_TRUE(m_world->Ring().IsOn());
    Release(SDLK_n);
    EXPECT_TRUE(m_world->Ring().IsOn());
    Press(SDLK_n);
    EXPECT_FALSE(m_world->Ring().IsOn());
}

TEST_F(InputTest, EscapePressQuitsAndIsNotForwardedButItsReleaseIs) {
    Press(SDLK_ESCAPE);
    EXPECT_TRUE(m_world->Session().IsQuit());
    EXPECT_TRUE(m_recorder->keys.empty());
    Release(SDLK_ESCAPE);
    ASSERT_EQ(m_recorder->keys.size(), 1u);
    EXPECT_EQ(m_recorder->keys[0].key, SDLK_ESCAPE);
    EXPECT_EQ(m_recorder->keys[0].kind, 2);
}

TEST_F(InputTest, CloseRequestQuitsAndIsNotForwarded) {
    SDL_Event event{};
    event.type = SDL_QUIT;
    m_world->HandleSDLEvent(event);
    EXPECT_TRUE(m_world->Session().IsQuit());
    EXPECT_TRUE(m_recorder->keys.empty());
    EXPECT_TRUE(m_recorder->mice.empty());
}

TEST_F(InputTest, UnboundKeyReachesTheInterfaceOnPressAndRelease) {
    Tap(SDLK_q);
    ASSERT_EQ(m_recorder->keys.size(), 2u);
    EXPECT_EQ(m_recorder->keys[0].key, SDLK_q);
    EXPECT_EQ(m_recorder->keys[0].kind, 1);
    EXPECT_EQ(m_recorder->keys[1].kind, 2);
    EXPECT_EQ(Velocity().x, 0.0f);
    EXPECT_FALSE(m_world->Session().IsQuit());
    EXPECT_FALSE(m_world->Level().IsFiring());
}

TEST_F(InputTest, DeadShipIgnoresBindingsButKeysStillReachTheInterface) {
    m_world->Level().Player()->m_dead = true;
    Press(SDLK_RIGHT);
    Press(SDLK_SPACE);
    Press(SDLK_2);
    Press(SDLK_n);
    EXPECT_EQ(Velocity().x, 0.0f);
    EXPECT_FALSE(m_world->Level().IsFiring());
    EXPECT_EQ(m_world->Level().Player()->m_weaponLevel, 0);
    EXPECT_FALSE(m_world->Ring().IsOn());
    EXPECT_EQ(m_recorder->keys.size(), 4u);
}

TEST_F(InputTest, KeyHeldThroughARespawnLeavesADrift) {
    Press(SDLK_RIGHT);
    // The ship dies and comes back: the respawn clears its velocity.
    m_world->Level().Player()->SetVelocity(Vector2(0.0f, 0.0f));
    Release(SDLK_RIGHT);
    EXPECT_EQ(Velocity().x, -14.0f);
    // Later pairs add up to nothing: the drift stays.
    Tap(SDLK_RIGHT);
    Tap(SDLK_LEFT);
    EXPECT_EQ(Velocity().x, -14.0f);
}

TEST_F(InputTest, KeyPressedWhileDeadAndReleasedAfterwardsLeavesADrift) {
    m_world->Level().Player()->m_dead = true;
    Press(SDLK_UP);
    m_world->Level().Player()->m_dead = false;
    Release(SDLK_UP);
    EXPECT_EQ(Velocity().y, -14.0f);
}

TEST_F(InputTest, MouseYCountsUpFromTheBottomOfTheCamera) {
    MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 0);
    MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 20, 511);
    ASSERT_EQ(m_recorder->mice.size(), 2u);
    EXPECT_EQ(m_recorder->mice[0].x, 10);
    EXPECT_EQ(m_recorder->mice[0].y, 512);
    EXPECT_EQ(m_recorder->mice[0].kind, 1);
    EXPECT_EQ(m_recorder->mice[1].x, 20);
    EXPECT_EQ(m_recorder->mice[1].y, 1);
    EXPECT_EQ(m_recorder->mice[1].kind, 2);
}

TEST_F(InputTest, MouseKindsForRightButtonAndMotion) {
    MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 2);
    MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 2);
    MouseMove(300, 12);
    ASSERT_EQ(m_recorder->mice.size(), 3u);
    EXPECT_EQ(m_recorder->mice[0].kind, 4);
    EXPECT_EQ(m_recorder->mice[1].kind, 5);
    EXPECT_EQ(m_recorder->mice[2].kind, 7);
    EXPECT_EQ(m_recorder->mice[2].y, 500);
    EXPECT_EQ(m_gui->GetMousePosition().x, 300.0f);
    EXPECT_EQ(m_gui->GetMousePosition().y, 500.0f);
}

TEST_F(InputTest, MiddleButtonOnlyMovesThePointer) {
    MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5);
    MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 40, 12);
    EXPECT_TRUE(m_gui->IsLeftButtonDown());
    EXPECT_EQ(m_gui->GetMousePosition().x, 40.0f);
    ASSERT_EQ(m_recorder->mice.size(), 2u);
    EXPECT_EQ(m_recorder->mice[1].kind, 0);
}

TEST_F(InputTest, WithoutALevelOnlyQuitBindingsActAndTheWindowHeightFlipsY) {
    m_world->Level().SetPlayer(nullptr);
    m_world->Level().SetCamera(nullptr);
    Press(SDLK_RIGHT);
    Press(SDLK_SPACE);
    Press(SDLK_m);
    Release(SDLK_RIGHT);
    EXPECT_FALSE(m_world->Level().IsFiring());
    EXPECT_EQ(m_recorder->keys.size(), 4u);
    MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 0);
    ASSERT_EQ(m_recorder->mice.size(), 1u);
    EXPECT_EQ(m_recorder->mice[0].y, 600);
    Press(SDLK_ESCAPE);
    EXPECT_TRUE(m_world->Session().IsQuit());
    m_world->Session().SetQuit(false);
    SDL_Event event{};
    event.type = SDL_QUIT;
    m_world->HandleSDLEvent(event);
    EXPECT_TRUE(m_world->Session().IsQuit());
}

TEST_F(InputTest, OtherEventTypesAreIgnored) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    m_world->HandleSDLEvent(event);
    EXPECT_FALSE(m_world->Session().IsQuit());
    EXPECT_TRUE(m_recorder->keys.empty());
    EXPECT_TRUE(m_recorder->mice.empty());
}

}  // namespace
