// The optional frame-rate cap: uncapped it never asks the loop to sleep; capped it spaces
// frames evenly and never sleeps past the moment an update falls due. Also the config.xml
// attributes that turn it and the swap control on.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/CUpdateTimer.h"
#include "core/FramePacer.h"
#include "support/LogCapture.h"
#include "unit/GUITestSupport.h"
#include "world/ShooterWorld.h"

namespace {

TEST(FramePacerTest, UncappedNeverSleepsAndDrawsEveryPass) {
    FramePacer pacer;
    EXPECT_FALSE(pacer.IsCapped());
    for (uint32_t now = 1000; now < 1100; ++now) {
        EXPECT_EQ(pacer.SleepBefore(now, 995), 0u);
        EXPECT_TRUE(pacer.IsFrameDue(now));
        pacer.MarkFrame(now);
    }
}

// A loop that sleeps as told and updates as the timer says, over simulated milliseconds.
struct Simulation {
    int frames = 0;
    int updates = 0;
    uint32_t slept = 0;
    int32_t latestUpdate = 0;  // the longest an update came after it fell due, in ms
};

Simulation Simulate(uint32_t maxFps, uint32_t start, uint32_t duration) {
    FramePacer pacer(maxFps);
    CUpdateTimer timer;
    timer.MarkUpdated(start);
    Simulation result;
    uint32_t now = start;
    while (now - start < duration) {
        const uint32_t sleep = pacer.SleepBefore(now, timer.GetLast());
        result.slept += sleep;
        now += sleep;
        float dt = 0.0f;
        if (timer.IsDue(now, dt)) {
            const uint32_t due = timer.GetLast() + CUpdateTimer::kInterval + 1;
            // Signed: near the clock's wrap the designed timer updates early, never late.
            const int32_t late = static_cast<int32_t>(now - due);
            result.latestUpdate = std::max(result.latestUpdate, late);
            ++result.updates;
            timer.MarkUpdated(now);
        }
        if (pacer.IsFrameDue(now)) {
            ++result.frames;
            pacer.MarkFrame(now);
        }
        if (!maxFps || sleep == 0) {
            ++now;  // a pass takes about a millisecond
        }
    }
    return result;
}

TEST(FramePacerTest, CappedLoopDrawsTheCapAndUpdatesAsOftenAsUncapped) {
    const Simulation capped = Simulate(60, 100000, 10000);
    const Simulation uncapped = Simulate(0, 100000, 10000);
    EXPECT_NEAR(capped.frames, 600, 2);
    EXPECT_EQ(capped.updates, uncapped.updates);
    EXPECT_EQ(capped.latestUpdate, 0) << "an update was held past its tick";
    EXPECT_GT(capped.slept, 9000u) << "a capped loop with nothing to do sleeps";
    EXPECT_EQ(uncapped.slept, 0u);
    const Simulation fast = Simulate(120, 0xFFFFF000u, 10000);  // across the clock's wrap
    EXPECT_NEAR(fast.frames, 1200, 2);
    EXPECT_EQ(fast.latestUpdate, 0);
}

TEST(FramePacerTest, SleepEndsAtTheNextFrameOrTheNextUpdateWhicheverIsFirst) {
    FramePacer pacer(50);  // a frame every 20 ms
    pacer.MarkFrame(1000);
    EXPECT_FALSE(pacer.IsFrameDue(1019));
    EXPECT_TRUE(pacer.IsFrameDue(1020));
    EXPECT_EQ(pacer.SleepBefore(1005, 1000), 15u) << "frame at 1020, update at 1031";
    EXPECT_EQ(pacer.SleepBefore(1005, 980), 6u) << "update at 1011 comes first";
    EXPECT_EQ(pacer.SleepBefore(1005, 974), 0u) << "an update is due now";
    // Across the clock's wrap an update is due, and no reading ever asks for a sleep longer
    // than the update interval.
    EXPECT_EQ(pacer.SleepBefore(2, 0xFFFFFFDEu), 0u);
    EXPECT_LE(pacer.SleepBefore(0x10u, 0x80000000u), 31u);
    // A loop that fell far behind starts a new schedule instead of a burst of frames.
    pacer.MarkFrame(1500);
    EXPECT_FALSE(pacer.IsFrameDue(1501));
    EXPECT_TRUE(pacer.IsFrameDue(1520));
}

class PacingConfigTest : public InterfaceTest {};

TEST_F(PacingConfigTest, VsyncAndMaxFpsAreReadAndBadValuesAreLoggedAndLeftOff) {
    ShooterWorld* world = ShooterWorld::GetInstance();
    XmlText plain("<config gameoverlayer=\"o\" gamecompletelayer=\"c\"/>");
    world->ReadConfig(plain.Root());
    EXPECT_FALSE(world->Window().VSync());
    EXPECT_EQ(world->Window().MaxFps(), 0u);
    XmlText paced(
        "<config gameoverlayer=\"o\" gamecompletelayer=\"c\" vsync=\"yes\" maxfps=\"120\"/>");
    world->ReadConfig(paced.Root());
    EXPECT_TRUE(world->Window().VSync());
    EXPECT_EQ(world->Window().MaxFps(), 120u);

    ShooterWorld::DestroyInstance();
    world = ShooterWorld::GetInstance();
    LogCapture log;
    XmlText bad("<config gameoverlayer=\"o\" gamecompletelayer=\"c\" vsync=\"1\" maxfps=\"-5\"/>");
    world->ReadConfig(bad.Root());
    EXPECT_FALSE(world->Window().VSync());
    EXPECT_EQ(world->Window().MaxFps(), 0u);
    EXPECT_TRUE(log.Contains("\"vsync\" \"1\"")) << log.Text();
    EXPECT_TRUE(log.Contains("\"maxfps\" \"-5\"")) << log.Text();
}

}  // namespace
