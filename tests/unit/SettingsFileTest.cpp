// The settings file: its text read and written (a round trip, each bad entry one log line and
// its default), its path, the atomic save and a corrupt file kept aside.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/FileOperations.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/SettingsFile.h"
#include "world/SettingsXml.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int CountLines(const std::string& text) {
    int lines = 0;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

// Settings that differ from the defaults in every field.
Settings Changed() {
    Settings settings;
    settings.masterVolume = 35;
    settings.musicVolume = 0;
    settings.effectsVolume = 72;
    settings.fullScreen = true;
    settings.scaling = PictureScaling::Sharp;
    settings.blur = BlurMethod::Blending;
    settings.vsync = true;
    settings.maxFps = 60;
    settings.bindings.SetKey(Action::Fire, 0, SDLK_f);
    settings.bindings.SetKey(Action::Fire, 1, SDLK_LCTRL);
    settings.bindings.SetKey(Action::Up, 0, SDLK_SPACE);
    settings.bindings.SetButton(Action::Ring, 3);
    return settings;
}

TEST(SettingsFileTest, EverySettingSurvivesTheRoundTripAndOnlyChangesAreWritten) {
    const Settings defaults;
    EXPECT_EQ(SettingsXml::Write(defaults, defaults).find("<sound"), std::string::npos);
    EXPECT_EQ(SettingsXml::Write(defaults, defaults).find("<bind"), std::string::npos);

    const Settings changed = Changed();
    const std::string text = SettingsXml::Write(changed, defaults);
    Settings read;
    std::string error;
    LogCapture log;
    ASSERT_TRUE(SettingsXml::Read(text, "settings.xml", read, error)) << error;
    EXPECT_TRUE(read == changed) << text;
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(read.bindings.Key(Action::Fire, 0), SDLK_f);
    Action action = Action::Quit;
    ASSERT_TRUE(read.bindings.ActionOfKey(SDLK_SPACE, action));
    EXPECT_EQ(action, Action::Up) << "a key bound to a new action leaves the old one";
}

TEST(SettingsFileTest, EachBadEntryIsOneLogLineNamingTheFileAndKeepsItsDefault) {
    const char* const bad[] = {
        "<sound master=\"101\"/>",           "<sound music=\"-1\"/>",
        "<sound effects=\"loud\"/>",         "<sound master=\"5x\"/>",
        "<video fullscreen=\"maybe\"/>",     "<video scaling=\"blurry\"/>",
        "<video motionblur=\"fast\"/>",      "<video vsync=\"1\"/>",
        "<video maxfps=\"-5\"/>",            "<video maxfps=\"100000\"/>",
        "<video colour=\"red\"/>",           "<bind action=\"jump\" key=\"j\"/>",
        "<bind key=\"j\"/>",                 "<bind action=\"fire\" key=\"nokey\"/>",
        "<bind action=\"fire\" key2=\"?!\"/>", "<bind action=\"fire\" button=\"32\"/>",
        "<bind action=\"fire\" button=\"a\"/>", "<window size=\"2\"/>",
    };
    for (const char* entry : bad) {
        Settings settings;
        std::string error;
        LogCapture log;
        ASSERT_TRUE(SettingsXml::Read(std::string("<settings>") + entry + "</settings>",
                                      "/x/settings.xml", settings, error))
            << entry;
        EXPECT_TRUE(settings == Settings()) << entry << " changed a setting";
        EXPECT_EQ(CountLines(log.Text()), 1) << entry << ": " << log.Text();
        EXPECT_TRUE(log.Contains("/x/settings.xml")) << log.Text();
    }
}

TEST(SettingsFileTest, PathFollowsXdgConfigHomeThenHome) {
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string keep = oldConfig ? oldConfig : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", "/c", 1);
    EXPECT_EQ(SettingsFile::DefaultPath(), "/c/glimmerax/settings.xml");
    setenv("XDG_CONFIG_HOME", "", 1);
    setenv("HOME", "/h", 1);
    EXPECT_EQ(SettingsFile::DefaultPath(), "/h/.config/glimmerax/settings.xml");
    setenv("HOME", home.c_str(), 1);
    if (oldConfig) {
        setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

// The file calls, named in order (folders and existence checks left out).
class RecordingFiles : public platform::FileOperations {
public:
    bool MakeFolder(const std::string& path) override { return real.MakeFolder(path); }
    bool PathExists(const std::string& path) override { return real.PathExists(path); }
    int CreateTemporary(char* nameTemplate) override {
        calls += "create ";
        return real.CreateTemporary(nameTemplate);
    }
    ssize_t Write(int fd, const void* data, size_t size) override {
        calls += calls.size() >= 6 && calls.compare(calls.size() - 6, 6, "write ") == 0
                     ? ""
                     : "write ";
        return real.Write(fd, data, size < 1 ? size : 1);
    }
    bool SyncFile(int fd) override {
        calls += "sync ";
        return real.SyncFile(fd);
    }
    bool Close(int fd) override {
        calls += "close ";
        return real.Close(fd);
    }
    bool RenameNoReplace(const std::string& from, const std::string& to) override {
        calls += "rename-aside ";
        return real.RenameNoReplace(from, to);
    }
    bool RenameOver(const std::string& from, const std::string& to) override {
        calls += "rename ";
        return real.RenameOver(from, to);
    }
    void FlushFolder(const std::string& folder) override {
        calls += "flush-folder ";
        real.FlushFolder(folder);
    }
    bool RemoveFile(const std::string& path) override {
        calls += "remove ";
        return real.RemoveFile(path);
    }

    platform::FileOperations& real = platform::FileOperations::System();
    std::string calls;
};

TEST(SettingsFileTest, SaveWritesFlushesThenRenamesAndLoadsBackTheSameSettings) {
    TempDir dir;
    const std::string path = dir.Path() + "/new/glimmerax/settings.xml";
    RecordingFiles files;
    SettingsFile file(path, files);
    ASSERT_TRUE(file.Save(Changed(), Settings()));
    EXPECT_EQ(files.calls, "create write sync close rename flush-folder ");
    Settings loaded;
    SettingsFile(path).Load(loaded);
    EXPECT_TRUE(loaded == Changed()) << ReadAll(path);
    EXPECT_EQ(ReadAll(path), SettingsXml::Write(Changed(), Settings()));
}

TEST(SettingsFileTest, ACorruptFileIsKeptAsideNeverOverwrittenAndTheDefaultsAreUsed) {
    TempDir dir;
    const std::string path = dir.Write("settings.xml", "<settings><sound master=");
    dir.Write("settings.xml.bad", "an older bad file");
    Settings settings = Changed();
    LogCapture log;
    SettingsFile file(path);
    file.Load(settings);
    EXPECT_TRUE(settings == Changed()) << "what the file would override stays as it was";
    EXPECT_EQ(ReadAll(path + ".bad.1"), "<settings><sound master=");
    EXPECT_EQ(ReadAll(path + ".bad"), "an older bad file");
    EXPECT_EQ(CountLines(log.Text()), 1) << log.Text();
    EXPECT_TRUE(log.Contains(path + ".bad.1")) << log.Text();
    ASSERT_TRUE(file.Save(Changed(), Settings()));
    Settings loaded;
    SettingsFile(path).Load(loaded);
    EXPECT_TRUE(loaded == Changed());
}

}  // namespace
