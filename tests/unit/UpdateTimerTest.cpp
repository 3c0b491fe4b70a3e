#include "core/CUpdateTimer.h"

#include <gtest/gtest.h>

TEST(UpdateTimer, FirstPassAlwaysUpdatesWithTheClockValue) {
    CUpdateTimer timer;
    float dt = 0;
    ASSERT_TRUE(timer.IsDue(5000000, dt));
    EXPECT_FLOAT_EQ(dt, 5000000.0f);
}

TEST(UpdateTimer, ThirtyMillisecondsAreNotEnoughThirtyOneAre) {
    CUpdateTimer timer;
    timer.MarkUpdated(1000);
    float dt = -1;
    EXPECT_FALSE(timer.IsDue(1030, dt));
    EXPECT_FLOAT_EQ(dt, -1.0f);
    EXPECT_TRUE(timer.IsDue(1031, dt));
    EXPECT_FLOAT_EQ(dt, 31.0f);
}

TEST(UpdateTimer, DtCountsFromTheEndOfTheLastUpdate) {
    CUpdateTimer timer;
    timer.MarkUpdated(1000);  // the update that started at 950 ended at 1000
    float dt = 0;
    ASSERT_TRUE(timer.IsDue(1040, dt));
    EXPECT_FLOAT_EQ(dt, 40.0f);
}

TEST(UpdateTimer, SumWrapsNearTheTopOfTheClock) {
    CUpdateTimer timer;
    timer.MarkUpdated(0xFFFFFFF0u);  // last + 30 wraps to 14
    float dt = 0;
    EXPECT_TRUE(timer.IsDue(0xFFFFFFF5u, dt));  // compared with the wrapped sum: updates at once
    EXPECT_FLOAT_EQ(dt, 5.0f);
    EXPECT_TRUE(timer.IsDue(20, dt));  // dt is the wrapped difference
    EXPECT_FLOAT_EQ(dt, 36.0f);
}

// The clock wraps after the last update ended, more than 30 ms before 2^32: the update comes
// once more than 30 ms have truly passed, not 49.7 days later; a clock that stepped back
// still waits.
TEST(UpdateTimer, ClockThatWrapsAfterTheLastUpdateKeepsUpdating) {
    CUpdateTimer timer;
    timer.MarkUpdated(0xFFFFFFDEu);  // 34 ms before the wrap
    float dt = 0;
    EXPECT_FALSE(timer.IsDue(0xFFFFFFFCu, dt));  // 30 ms on: not yet
    ASSERT_TRUE(timer.IsDue(2, dt));             // 36 ms on, across the wrap
    EXPECT_FLOAT_EQ(dt, 36.0f);
    timer.MarkUpdated(5000);
    EXPECT_FALSE(timer.IsDue(100, dt));
}
