// A scripted game of the default data, recorded and verified; the same replay with one
// command changed, or recorded on other data, is refused as it should be.
#include <gtest/gtest.h>

#include <string>

#include "ReplaySupport.h"
#include "world/ReplayVerifier.h"

namespace {

using replaytest::InDataFolder;
using replaytest::RecordShortGame;

// The first update of the replay that carries a steering command at or after `from`.
size_t SteeringUpdate(const Replay& replay, uint64_t from, uint64_t& number) {
    number = 0;
    for (size_t i = 0; i < replay.updates.size(); ++i) {
        for (const GameCommand& command : replay.updates[i].commands) {
            if (command.kind == CommandKind::Steer && number >= from) {
                return i;
            }
        }
        number += replay.updates[i].repeat;
    }
    return replay.updates.size();
}

class ReplayVerifyTest : public InDataFolder {};

}  // namespace

TEST_F(ReplayVerifyTest, ARecordedScriptedGameVerifiesAfterItsBytesAreReadBack) {
    const Replay recorded = RecordShortGame();
    ASSERT_EQ(recorded.UpdateCount(), 650u);
    ASSERT_EQ(recorded.checkpoints.size(), 7u);  // six every 100 updates, one at the end
    const std::vector<uint8_t> bytes = ReplayCodec::Encode(recorded);
    Replay replay;
    std::string error;
    ASSERT_TRUE(ReplayCodec::Decode(bytes.data(), bytes.size(), replay, error)) << error;
    EXPECT_EQ(ReplayCodec::Encode(replay), bytes);

    std::string message;
    EXPECT_EQ(ReplayVerifier::Verify(replay, message), ReplayVerifier::kMatch) << message;
    EXPECT_EQ(message, "650 updates, 7 checkpoints match");
}

TEST_F(ReplayVerifyTest, OneSteeringCommandTurnedTheOtherWayFailsByTheNextCheckpoint) {
    Replay replay = RecordShortGame();
    uint64_t number = 0;
    const size_t index = SteeringUpdate(replay, 140, number);
    ASSERT_LT(index, replay.updates.size());
    ASSERT_EQ(number, 150u);  // the script presses DOWN before update 150
    for (GameCommand& command : replay.updates[index].commands) {
        command.step.y = -command.step.y;
    }
    std::string message;
    EXPECT_EQ(ReplayVerifier::Verify(replay, message), ReplayVerifier::kDiffers);
    // The ship is elsewhere from update 150 on: the game goes another way there, and the
    // checkpoint after update 199 sees it at the latest.
    const unsigned long update = std::stoul(message.substr(message.find(' ') + 1));
    EXPECT_EQ(message.rfind("update ", 0), 0u) << message;
    EXPECT_GE(update, 150u) << message;
    EXPECT_LE(update, 199u) << message;
}

TEST_F(ReplayVerifyTest, AFireCommandTurnedOnFailsAtItsOwnUpdate) {
    Replay replay = RecordShortGame();
    uint64_t number = 0;
    for (ReplayUpdate& update : replay.updates) {
        for (GameCommand& command : update.commands) {
            if (command.kind == CommandKind::Fire && !command.on) {
                command.on = true;
                number = 1;
            }
        }
        if (number == 1) {
            break;
        }
    }
    ASSERT_EQ(number, 1u);
    std::string message;
    EXPECT_EQ(ReplayVerifier::Verify(replay, message), ReplayVerifier::kDiffers);
    // The script lets go of Space before update 400: firing on, the rules read the clock for
    // the fire interval in that very update.
    EXPECT_EQ(message, "update 400: the rules read the clock more times than the recorded game");
}

TEST_F(ReplayVerifyTest, ACheckpointOfAnotherScoreIsReportedWithBothScores) {
    Replay replay = RecordShortGame();
    replay.checkpoints[2].digest.points += 60;
    const int32_t recorded = replay.checkpoints[2].digest.points;
    std::string message;
    EXPECT_EQ(ReplayVerifier::Verify(replay, message), ReplayVerifier::kDiffers);
    EXPECT_EQ(message, "update 299: score " + std::to_string(recorded - 60) + " (recorded " +
                           std::to_string(recorded) + ")");
}

TEST_F(ReplayVerifyTest, AReplayOfOtherDataNamesTheFileThatDiffers) {
    Replay replay = RecordShortGame(10);
    ASSERT_EQ(replay.data.size(), 2u);
    EXPECT_EQ(replay.data[0].name, "config.xml");
    EXPECT_EQ(replay.data[1].name, "levels/level1.xml");
    replay.data[1].hash ^= 1;
    std::string message;
    EXPECT_EQ(ReplayVerifier::Verify(replay, message), ReplayVerifier::kUnusable);
    EXPECT_EQ(message, "recorded on other data: levels/level1.xml differs");
}
