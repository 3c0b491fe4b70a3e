#include "world/ReplayVerifier.h"

#include <vector>

#include "world/CheckpointDigest.h"
#include "world/HeadlessGame.h"
#include "world/ReplayClock.h"
#include "world/ReplayCodec.h"
#include "world/ReplayRecorder.h"
#include "world/ReplayStore.h"

namespace {

// The rules asked the clock more or less often than the recorded game: they took another way.
std::string ReadingMismatch(const ReplayClock& clock, uint64_t update) {
    if (!clock.Overrun() && clock.Unread() == 0) {
        return "";
    }
    return "update " + std::to_string(update) + ": the rules read the clock " +
           (clock.Overrun() ? "more" : "fewer") + " times than the recorded game";
}

// The checkpoint of update `number`, when it has one, against the state the rules reached;
// "" when they agree (checkpoint then counts it) or there is none.
std::string CheckpointMismatch(const Replay& replay, uint64_t number, const LevelPlay& level,
                               size_t& checkpoint) {
    if (checkpoint >= replay.checkpoints.size() ||
        replay.checkpoints[checkpoint].update != number) {
        return "";
    }
    const std::string differs = CheckpointDigest::Differences(
        replay.checkpoints[checkpoint].digest, CheckpointDigest::Of(level));
    if (!differs.empty()) {
        return "update " + std::to_string(number) + ": " + differs;
    }
    ++checkpoint;
    return "";
}

}  // namespace

std::string ReplayVerifier::DataDifference(const Replay& replay) {
    for (const ReplayDataFile& recorded : replay.data) {
        ReplayDataFile now;
        if (!ReplayRecorder::DescribeFile(recorded.name, now)) {
            return "recorded on other data: " + recorded.name + " is missing";
        }
        if (now.hash != recorded.hash || now.size != recorded.size) {
            return "recorded on other data: " + recorded.name + " differs";
        }
    }
    return "";
}

ReplayVerifier::Verdict ReplayVerifier::VerifyFile(const std::string& path, std::string& message) {
    std::vector<uint8_t> bytes;
    if (!ReplayStore::ReadWhole(path, bytes)) {
        message = path + ": cannot be read";
        return kUnusable;
    }
    Replay replay;
    std::string error;
    if (!ReplayCodec::Decode(bytes.data(), bytes.size(), replay, error)) {
        message = path + ": " + error;
        return kUnusable;
    }
    const Verdict verdict = Verify(replay, message);
    message = path + ": " + message;
    return verdict;
}

ReplayVerifier::Verdict ReplayVerifier::Verify(const Replay& replay, std::string& message) {
    message = DataDifference(replay);
    if (!message.empty()) {
        return kUnusable;
    }
    HeadlessGame game;
    std::string error;
    if (!game.Load(error)) {
        message = "the data cannot be played: " + error;
        return kUnusable;
    }
    game.Level().SetLastFireTime(replay.lastFireTime);
    ReplayClock clock;
    size_t checkpoint = 0;
    uint64_t number = 0;
    for (const ReplayUpdate& update : replay.updates) {
        for (uint32_t i = 0; i < update.repeat; ++i, ++number) {
            game.Deliver(i == 0 ? update.commands : std::vector<GameCommand>());
            clock.Play(update.readings);
            if (update.stepped) {
                game.Step(update.dt);
            }
            clock.Stop();
            message = ReadingMismatch(clock, number);
            if (message.empty()) {
                message = CheckpointMismatch(replay, number, game.Level(), checkpoint);
            }
            if (!message.empty()) {
                return kDiffers;
            }
        }
    }
    message =
        std::to_string(number) + " updates, " + std::to_string(checkpoint) + " checkpoints match";
    return kMatch;
}
