#include "core/DataWatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "core/DataLayers.h"
#include "core/ReadFileBytes.h"
#include "support/TempDir.h"

namespace {

using Paths = std::vector<std::string>;

void Read(const std::string& path) {
    std::vector<unsigned char> bytes;
    ReadFileBytes(path, bytes);
}

// Moves the file's modification time a second on: a change however coarse the file system's
// clock.
void Touch(const std::string& file) {
    const auto time = std::filesystem::last_write_time(file);
    std::filesystem::last_write_time(file, time + std::chrono::seconds(1));
}

class DataWatchTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        DataWatch::Active().SetOn(false);
        DataWatch::Active().Clear();
        DataLayers::Active().Clear();
    }
};

}  // namespace

TEST_F(DataWatchTest, ReportsAChangedFileOnceAtMostEveryPoll) {
    TempDir base;
    const std::string level = base.Write("levels/one.xml", "<level/>");
    base.Write("sets/fonts.xml", "<fontset/>");
    base.Enter();
    DataWatch& watch = DataWatch::Active();
    Read("levels/one.xml");  // off: not noted
    watch.SetOn(true);
    Read("levels/one.xml");
    Read("sets/fonts.xml");
    EXPECT_EQ(watch.Changed(1000), Paths());

    Touch(level);
    // Too soon after the last look: nothing looked at.
    EXPECT_EQ(watch.Changed(1000 + DataWatch::kPollMs - 1), Paths());
    EXPECT_EQ(watch.Changed(1000 + DataWatch::kPollMs), Paths{"levels/one.xml"});
    // Said once until read again; read again, a new change is seen.
    EXPECT_EQ(watch.Changed(3000), Paths());
    Read("levels/one.xml");
    Touch(level);
    EXPECT_EQ(watch.Changed(4000), Paths{"levels/one.xml"});
}

TEST_F(DataWatchTest, AModFileAddedOrRemovedIsAChangeAGoneFileIsNot) {
    TempDir base;
    const std::string ship = base.Write("gfx/ship.png", "base");
    TempDir mod;
    base.Enter();
    ASSERT_TRUE(DataLayers::Active().AddMod(mod.Path()));
    DataWatch& watch = DataWatch::Active();
    watch.SetOn(true);
    Read("gfx/ship.png");

    // The mod now holds the file: it replaces the base's.
    const std::string modShip = mod.Write("gfx/ship.png", "mod");
    EXPECT_EQ(watch.Changed(1000), Paths{"gfx/ship.png"});
    Read("gfx/ship.png");
    // Removed from the mod: the base's comes back.
    std::filesystem::remove(modShip);
    EXPECT_EQ(watch.Changed(2000), Paths{"gfx/ship.png"});
    Read("gfx/ship.png");
    // Gone from every layer: nothing to reload, the version loaded stays.
    std::filesystem::remove(ship);
    EXPECT_EQ(watch.Changed(3000), Paths());
    EXPECT_EQ(watch.Changed(4000), Paths());
    // Back again: a change.
    base.Write("gfx/ship.png", "back");
    EXPECT_EQ(watch.Changed(5000), Paths{"gfx/ship.png"});
}
