// A paused world is drawn once and its picture kept: later paused frames must show exactly
// what drawing the scene in full shows, and anything that can change the world (an SDL event,
// an event delivered to listeners, a level loaded, an update that moves it) must make the
// next paused frame draw it again.
#include <vector>

#include "WorldGLSupport.h"
#include "events/CEventManager.h"
#include "events/GUIEvent.h"
#include "game/ShooterCamera.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 512;

// A rectangle in translucent orange over whatever was drawn before it: the kept picture must
// carry blended colours and the window's alpha as they are.
class GlassEnemy : public ShooterEnemy {
public:
    GlassEnemy(float x, float y) { m_position = Vector2(x, y); }
    void Render(bool& /*drawBox*/) override {
        glDisable(GL_TEXTURE_2D);
        glColor4f(1.0f, 0.5f, 0.0f, 0.6f);
        glBegin(GL_QUADS);
        glVertex2f(m_position.x, m_position.y);
        glVertex2f(m_position.x + 300.0f, m_position.y);
        glVertex2f(m_position.x + 300.0f, m_position.y + 150.0f);
        glVertex2f(m_position.x, m_position.y + 150.0f);
        glEnd();
        glEnable(GL_TEXTURE_2D);
    }
};

class StillSceneTest : public WorldGLTest {
protected:
    void SetUp() override {
        WorldGLTest::SetUp();
        ASSERT_TRUE(InitWindow()) << m_log.Text();
        m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
        m_world->Level().SetCamera(std::make_unique<ShooterCamera>());
        m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
        m_world->Level().EnemyList().emplace_back(new RectEnemy(100, 100, 200, 200, 0.2f, 0.9f, 0.4f));
        m_world->Level().EnemyList().emplace_back(new GlassEnemy(180, 160));
        m_world->Session().SetPaused(true);
    }

    // The scene drawn in full or as a paused frame into the cleared back buffer, read back.
    std::vector<unsigned char> Frame(bool paused) {
        glDrawBuffer(GL_BACK);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (paused) {
            m_world->DrawPausedScene();
        } else {
            m_world->DrawScene();
        }
        std::vector<unsigned char> pixels(size_t(kWidth) * kHeight * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // Moves the green rectangle behind the world's back: nothing tells the world.
    void MoveQuietly() { m_world->Level().EnemyList()[0]->m_position = Vector2(600, 250); }

    // Two paused frames of an unchanged world: the picture is kept from the second.
    void KeepPicture() {
        Frame(true);
        Frame(true);
    }
};

TEST_F(StillSceneTest, PausedFramesShowExactlyTheSceneDrawnInFull) {
    const std::vector<unsigned char> full = Frame(false);
    EXPECT_EQ(Frame(true), full) << "the first paused frame";
    EXPECT_EQ(Frame(true), full) << "the frame that keeps the picture";
    EXPECT_EQ(Frame(true), full) << "a frame drawn from the kept picture";
    // The kept picture is really what is drawn: a change nobody reported does not show.
    MoveQuietly();
    EXPECT_EQ(Frame(true), full);
    EXPECT_NE(Frame(false), full);
}

TEST_F(StillSceneTest, WhatCanChangeTheWorldMakesTheNextPausedFrameDrawItAgain) {
    KeepPicture();
    MoveQuietly();
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    m_world->HandleSDLEvent(motion);
    EXPECT_EQ(Frame(true), Frame(false)) << "after an SDL event";

    KeepPicture();
    m_world->Level().EnemyList()[0]->m_position = Vector2(20, 20);
    m_world->LoadLevel("missing-level.xml");
    EXPECT_EQ(Frame(true), Frame(false)) << "after a level was asked for";

    // An event handed to a listener, whoever queued it.
    struct Listener : IEventListener {
        bool HandleEvent(IEvent*) override { return false; }
    } listener;
    CEventManager* events = CEventManager::GetInstance();
    ASSERT_TRUE(events->AddListener(&listener, Event_Shooter_GUIEvent));
    KeepPicture();
    m_world->Level().EnemyList()[0]->m_position = Vector2(700, 40);
    GUIEvent command("nothing");
    ASSERT_TRUE(events->Trigger(&command));
    EXPECT_EQ(Frame(true), Frame(false)) << "after an event was delivered";
    events->DelListener(&listener, Event_Shooter_GUIEvent);

    // An update of the unpaused world moves it.
    KeepPicture();
    m_world->Session().SetPaused(false);
    float dt = 0.03f;
    m_world->Level().EnemyList()[0]->m_position = Vector2(300, 300);
    m_world->UpdateWorld(dt);
    m_world->Session().SetPaused(true);
    EXPECT_EQ(Frame(true), Frame(false)) << "after an update";
}

}  // namespace
