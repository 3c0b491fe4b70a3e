#include "platform/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

// The working directory the Windows release starts in (the program's folder) and where it
// must end up (the data folder beside the program).
TEST(DataFolder, MovesIntoTheDataFolderBesideTheProgram) {
    TempDir release;
    release.Write("data/config.xml", "<config/>");
    release.Enter();
    EXPECT_TRUE(platform::EnterDataFolder(release.Path() + "/glimmerax.exe"));
    EXPECT_EQ(std::filesystem::current_path(),
              std::filesystem::canonical(release.Path() + "/data"));
}

TEST(DataFolder, KeepsTheWorkingDirectory) {
    // A working directory with its own configuration is another game's data: kept.
    TempDir other;
    other.Write("config.xml", "<config/>");
    TempDir release;
    release.Write("data/config.xml", "<config/>");
    other.Enter();
    const std::filesystem::path start = std::filesystem::current_path();
    EXPECT_FALSE(platform::EnterDataFolder(release.Path() + "/glimmerax.exe"));
    EXPECT_EQ(std::filesystem::current_path(), start);

    // No data folder beside the program, or one without config.xml: nothing to enter.
    TempDir bare;
    bare.Write("data/readme.txt", "no configuration here");
    bare.Enter();
    EXPECT_FALSE(platform::EnterDataFolder(bare.Path() + "/glimmerax.exe"));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(bare.Path()));

    // No executable path (Linux): nothing changes.
    EXPECT_FALSE(platform::EnterDataFolder({}));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(bare.Path()));
}
