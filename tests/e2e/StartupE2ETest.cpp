#include <gtest/gtest.h>

#include "support/GameProcess.h"
#include "support/TempDir.h"

// Without config.xml the game cannot start: it says so and ends with status 1.
TEST(StartupE2E, MissingConfigurationEndsWithStatusOne) {
    TempDir dir;
    GameProcess game;
    ASSERT_TRUE(game.Start(dir.Path()));
    EXPECT_EQ(game.WaitExit(10000), 1);
}
