#pragma once
// Shared pieces of the replay tests: they run in the default game's data folder, and a short
// scripted game of it gives them a replay to work on.

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "world/ReplayCodec.h"
#include "world/ScriptedGame.h"

namespace replaytest {

const std::string kDataDir = std::string(GLIMMERAX_SOURCE_DIR) + "/data";

// Works in the default data folder for the test's length.
class InDataFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getcwd(m_previous, sizeof m_previous), nullptr);
        ASSERT_EQ(chdir(kDataDir.c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(m_previous), 0); }

private:
    char m_previous[PATH_MAX] = {};
};

// About 20 seconds of play: fire from the start, the strongest weapon from update 40, up and
// down and a ring burst in between.
inline std::vector<ScriptedGame::Key> ShortScript() {
    return {{0, SDLK_SPACE, true},   {40, SDLK_4, true},       {41, SDLK_4, false},
            {60, SDLK_UP, true},     {70, SDLK_UP, false},     {150, SDLK_DOWN, true},
            {158, SDLK_DOWN, false}, {200, SDLK_m, true},      {201, SDLK_m, false},
            {260, SDLK_RIGHT, true}, {275, SDLK_RIGHT, false}, {400, SDLK_SPACE, false},
            {420, SDLK_LEFT, true},  {430, SDLK_LEFT, false}};
}

inline Replay RecordShortGame(uint32_t updates = 650) {
    Replay replay;
    ScriptedGame::Ending ending = ScriptedGame::Ending::Unfinished;
    std::string error;
    EXPECT_TRUE(ScriptedGame::Play(ShortScript(), 31.0f, updates, replay, ending, error)) << error;
    return replay;
}

}  // namespace replaytest
