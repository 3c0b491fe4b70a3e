#include "platform/FileSystem.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace {

std::string Content(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

// The two renames the scores file relies on: one never overwrites (setting a bad file aside),
// the other always does (a new table over the old one).
TEST(FileSystem, RenamesRefuseOrReplaceAnExistingName) {
    TempDir folder;
    const std::string kept = folder.Write("scores.xml.bad", "earlier bad file");
    const std::string bad = folder.Write("scores.xml", "new bad file");
    errno = 0;
    EXPECT_FALSE(platform::RenameNoReplace(bad, kept));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(Content(kept), "earlier bad file");
    EXPECT_EQ(Content(bad), "new bad file");

    const std::string aside = folder.Path() + "/scores.xml.bad.1";
    EXPECT_TRUE(platform::RenameNoReplace(bad, aside));
    EXPECT_FALSE(platform::PathExists(bad));
    EXPECT_EQ(Content(aside), "new bad file");

    const std::string fresh = folder.Write("scores.xml.tmp", "new table");
    const std::string table = folder.Write("scores.xml", "old table");
    EXPECT_TRUE(platform::RenameOver(fresh, table));
    EXPECT_FALSE(platform::PathExists(fresh));
    EXPECT_EQ(Content(table), "new table");
}

TEST(FileSystem, FoldersAndTemporaryFiles) {
    TempDir folder;
    const std::string made = folder.Path() + "/glimmerax";
    EXPECT_TRUE(platform::MakeFolder(made));
    EXPECT_TRUE(platform::MakeFolder(made)) << "an existing folder is not a failure";
    EXPECT_FALSE(platform::MakeFolder(folder.Path() + "/missing/parent"));
    EXPECT_EQ(errno, ENOENT);

    std::string name = made + "/scores.xml.tmpXXXXXX";
    const int fd = platform::CreateTemporary(name.data());
    ASSERT_GE(fd, 0);
    EXPECT_NE(name, made + "/scores.xml.tmpXXXXXX");
    EXPECT_TRUE(platform::PathExists(name));
    EXPECT_TRUE(platform::SyncFile(fd));
    close(fd);
}

TEST(FileSystem, UtcTimeOfTheEpochAndApplicationDataOnLinux) {
    const std::tm epoch = platform::UtcTime(0);
    EXPECT_EQ(epoch.tm_year, 70);
    EXPECT_EQ(epoch.tm_mon, 0);
    EXPECT_EQ(epoch.tm_mday, 1);
    EXPECT_EQ(epoch.tm_hour, 0);
    // The XDG folders serve on Linux: no Windows application data folder.
    EXPECT_EQ(platform::ApplicationDataFolder(), "");
}

// Paths are UTF-8 for every call, whatever the system's own code page: a player named Łukasz
// keeps the scores in a folder of that name.
TEST(FileSystem, NamesOutsideAsciiAreUtf8) {
    TempDir folder;
    const std::string made = folder.Path() + u8"/\u0141ukasz";
    EXPECT_TRUE(platform::MakeFolder(made));
    EXPECT_TRUE(std::filesystem::is_directory(platform::NativePath(made)));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() + "/\xc5\x81ukasz"));

    const std::string path = made + u8"/\u00e9t\u00e9.xml";
    std::ofstream(platform::NativePath(path)) << "table";
    EXPECT_TRUE(platform::PathExists(path));
    EXPECT_EQ(Content(path), "table");

    std::string name = made + "/scores.xml.tmpXXXXXX";
    const int fd = platform::CreateTemporary(name.data());
    ASSERT_GE(fd, 0);
    close(fd);
    EXPECT_TRUE(platform::RenameOver(name, path));
    EXPECT_EQ(Content(path), "");

    EXPECT_TRUE(platform::RemoveFile(path));
    EXPECT_FALSE(platform::PathExists(path));
    EXPECT_FALSE(platform::RemoveFile(path)) << "nothing left to remove";
    EXPECT_EQ(errno, ENOENT);
}

TEST(FileSystem, EnvironmentValuesAreUtf8AndEmptyWhenUnset) {
    setenv("GLIMMERAX_TEST_FOLDER", u8"C:\\users\\\u0141ukasz", 1);
    EXPECT_EQ(platform::EnvironmentValue("GLIMMERAX_TEST_FOLDER"), u8"C:\\users\\\u0141ukasz");
    unsetenv("GLIMMERAX_TEST_FOLDER");
    EXPECT_EQ(platform::EnvironmentValue("GLIMMERAX_TEST_FOLDER"), "");
}
