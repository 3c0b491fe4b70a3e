// The replay file's reader against every cut and every damaged byte: it refuses each with
// one reason and never crashes (the fuzz target ReplayFuzz goes further).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReplaySupport.h"

namespace {

using replaytest::InDataFolder;

class ReplayReaderTest : public InDataFolder {
protected:
    void SetUp() override {
        InDataFolder::SetUp();
        bytes = ReplayCodec::Encode(replaytest::RecordShortGame(250));
    }

    static bool Decode(const std::vector<uint8_t>& data, std::string& error) {
        Replay replay;
        return ReplayCodec::Decode(data.data(), data.size(), replay, error);
    }

    // The file's own check value written anew, so that the fields behind it are read.
    static void Reseal(std::vector<uint8_t>& data) {
        const uint32_t check = ReplayCodec::Hash32(data.data(), data.size() - 4);
        for (int i = 0; i < 4; ++i) {
            data[data.size() - 4 + i] = static_cast<uint8_t>(check >> (8 * i));
        }
    }

    std::vector<uint8_t> bytes;
};

}  // namespace

TEST_F(ReplayReaderTest, EveryCutIsRefusedWithAReason) {
    std::string error;
    ASSERT_TRUE(Decode(bytes, error)) << error;
    for (size_t size = 0; size < bytes.size(); ++size) {
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
        error.clear();
        EXPECT_FALSE(Decode(cut, error)) << size;
        EXPECT_FALSE(error.empty()) << size;
    }
}

TEST_F(ReplayReaderTest, EveryDamagedByteIsCaughtByTheCheckValue) {
    for (size_t at = 6; at < bytes.size(); ++at) {
        std::vector<uint8_t> damaged = bytes;
        damaged[at] ^= 0x5a;
        std::string error;
        EXPECT_FALSE(Decode(damaged, error)) << at;
        EXPECT_EQ(error, "the file is damaged or cut short (its check value does not match)");
    }
}

TEST_F(ReplayReaderTest, DamagedFieldsBehindAValidCheckValueNeverCrashTheReader) {
    int refused = 0;
    for (size_t at = 6; at + 4 < bytes.size(); ++at) {
        for (const uint8_t value : {0x00, 0x01, 0x7f, 0x80, 0xff}) {
            std::vector<uint8_t> damaged = bytes;
            damaged[at] = value;
            Reseal(damaged);
            std::string error;
            if (!Decode(damaged, error)) {
                ++refused;
                EXPECT_NE(error.find("(byte "), std::string::npos) << at << ": " << error;
            }
        }
    }
    EXPECT_GT(refused, 100);
}

TEST_F(ReplayReaderTest, AnotherFormatVersionOrAForeignFileIsNamedAsSuch) {
    std::vector<uint8_t> later = bytes;
    later[4] = 2;
    std::string error;
    EXPECT_FALSE(Decode(later, error));
    EXPECT_EQ(error, "format version 2, this build reads 1");

    const std::string text = "<?xml version=\"1.0\"?><scores/>";
    EXPECT_FALSE(Decode(std::vector<uint8_t>(text.begin(), text.end()), error));
    EXPECT_EQ(error, "not a replay file (it does not begin with GXRP)");
}

TEST_F(ReplayReaderTest, AHugeCountIsRefusedWithoutAllocatingIt) {
    // The smallest replay: header, no update, no checkpoint; then its update count made huge.
    Replay empty;
    empty.gameVersion = "1.2.0";
    std::vector<uint8_t> data = ReplayCodec::Encode(empty);
    ASSERT_EQ(data[data.size() - 6], 0u);  // the update count
    data.insert(data.end() - 6, {0xff, 0xff, 0xff, 0xff});
    data[data.size() - 6] = 0x0f;
    Reseal(data);
    std::string error;
    EXPECT_FALSE(Decode(data, error));
    EXPECT_NE(error.find("the count of update records is out of range"), std::string::npos)
        << error;
}

TEST_F(ReplayReaderTest, EveryTimeStepTheClockCanGiveIsReadBack) {
    // The first update's step is the machine's uptime in milliseconds (here 3 h 21 min and
    // 49.7 days), so steps far beyond a frame's are ordinary.
    Replay replay;
    replay.gameVersion = "1.2.0";
    for (const float dt : {12060300.0f, 31.0f, 45.5f, 4294967040.0f, 0.0f, 31.0f}) {
        ReplayUpdate update;
        update.dt = dt;
        update.stepped = dt < 100.0f;
        replay.updates.push_back(update);
    }
    const std::vector<uint8_t> data = ReplayCodec::Encode(replay);
    Replay back;
    std::string error;
    ASSERT_TRUE(ReplayCodec::Decode(data.data(), data.size(), back, error)) << error;
    ASSERT_EQ(back.updates.size(), replay.updates.size());
    for (size_t i = 0; i < replay.updates.size(); ++i) {
        EXPECT_EQ(back.updates[i].dt, replay.updates[i].dt) << i;
        EXPECT_EQ(back.updates[i].stepped, replay.updates[i].stepped) << i;
    }
}
