#include "world/ShooterWorld.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/CUpdateTimer.h"
#include "events/CEventManager.h"
#include "events/IEventListener.h"
#include "events/PlayerDeathEvent.h"
#include "support/LogCapture.h"

namespace {

// Throws from inside the world update's event delivery.
class ThrowingListener : public IEventListener {
public:
    bool HandleEvent(IEvent* /*event*/) override { throw std::runtime_error("boom"); }
};

class WorldLoopTest : public ::testing::Test {
protected:
    void TearDown() override {
        CEventManager::GetInstance()->DelListener(&m_thrower, Event_Shooter_PlayerDeath);
        CEventManager::GetInstance()->Shutdown();
        ShooterWorld::DestroyInstance();
    }
    ThrowingListener m_thrower;
};

}  // namespace

TEST_F(WorldLoopTest, SingletonIsCreatedOnceAndDestroyedOnDemand) {
    ShooterWorld* first = ShooterWorld::GetInstance();
    EXPECT_EQ(first, ShooterWorld::GetInstance());
    EXPECT_TRUE(first->Session().IsPaused());
    EXPECT_FALSE(first->IsQuit());
    ShooterWorld::DestroyInstance();
    ShooterWorld::DestroyInstance();  // a second call finds nothing to destroy
}

TEST_F(WorldLoopTest, MotionBlurAdvancesTheFrameSlotOncePerTickAndWraps) {
    ShooterWorld* world = ShooterWorld::GetInstance();
    float dt = 31.0f;
    world->Update(dt);
    EXPECT_EQ(world->Ring().Slot(), 0u);
    world->Ring().SetOn(true);
    for (uint32_t expected : {1u, 2u, 3u, 0u, 1u}) {
        world->Update(dt);
        EXPECT_EQ(world->Ring().Slot(), expected);
    }
}

TEST_F(WorldLoopTest, ExceptionsInsideAnUpdateAreLoggedAndTheGameGoesOn) {
    ShooterWorld* world = ShooterWorld::GetInstance();
    CEventManager* events = CEventManager::GetInstance();
    events->AddListener(&m_thrower, Event_Shooter_PlayerDeath);
    ASSERT_TRUE(events->QueueEvent(new PlayerDeathEvent()));
    LogCapture log;
    float dt = 31.0f;
    world->Update(dt);
    EXPECT_EQ(log.Text(), "Exception found: boom\n");
    EXPECT_FALSE(world->IsQuit());
}
