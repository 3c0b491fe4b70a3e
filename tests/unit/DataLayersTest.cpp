#include "core/DataLayers.h"
#include "world/SettingsXml.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>
#include <vector>

#include "core/ReadFileBytes.h"
#include "core/XmlRead.h"
#include "support/TempDir.h"

namespace {

// The text the game's own readers get for the data path.
std::string ReadThrough(const std::string& path) {
    std::vector<unsigned char> bytes;
    ReadFileBytes(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

// Restores the base layer alone whatever a test leaves behind.
class DataLayersTest : public ::testing::Test {
protected:
    void SetUp() override { DataLayers::Active().Clear(); }
    void TearDown() override { DataLayers::Active().Clear(); }
};

}  // namespace

TEST_F(DataLayersTest, AModReplacesAndAddsFilesALaterModWins) {
    TempDir base;
    base.Write("config.xml", "<config base=\"1\"/>");
    base.Write("gfx/ship.txt", "base ship");
    base.Write("levels/one.xml", "base level");
    TempDir first;
    first.Write("gfx/ship.txt", "first ship");
    first.Write("levels/two.xml", "first level two");
    first.Write("about.xml", "<mod><name>Blue Ships</name></mod>");
    TempDir second;
    second.Write("gfx/ship.txt", "second ship");
    base.Enter();

    DataLayers& layers = DataLayers::Active();
    ASSERT_TRUE(layers.AddMod(first.Path()));
    EXPECT_EQ(ReadThrough("gfx/ship.txt"), "first ship");
    EXPECT_EQ(layers.LayerOf("gfx/ship.txt"), "Blue Ships");
    ASSERT_TRUE(layers.AddMod(second.Path()));

    // Replaced by the later mod, a backslash path read as the data files may write it.
    EXPECT_EQ(ReadThrough("gfx\\ship.txt"), "second ship");
    // Added by the first mod, untouched by the second.
    EXPECT_EQ(ReadThrough("levels/two.xml"), "first level two");
    EXPECT_EQ(layers.LayerOf("levels/two.xml"), "Blue Ships");
    // Held by no mod: the base file.
    EXPECT_EQ(ReadThrough("levels/one.xml"), "base level");
    EXPECT_EQ(layers.LayerOf("levels/one.xml"), "data");
    ASSERT_EQ(layers.ModNames().size(), 2u);
    EXPECT_EQ(layers.ModNames()[0], "Blue Ships");

    // The XML loader goes through the same lookup.
    second.Write("config.xml", "<config mod=\"2\"/>");
    TiXmlDocument document("config.xml");
    ASSERT_TRUE(xml::LoadFile(document));
    EXPECT_STREQ(document.FirstChildElement("config")->Attribute("mod"), "2");
}

TEST_F(DataLayersTest, RefusesParentPartsAndMissingFolders) {
    TempDir base;
    base.Write("secret.txt", "base secret");
    base.Write("mods/inner/gfx/a.txt", "mod a");
    TempDir outside;
    outside.Write("secret.txt", "outside secret");
    base.Enter();

    DataLayers& layers = DataLayers::Active();
    EXPECT_FALSE(layers.AddMod(base.Path() + "/mods/../mods/inner"));
    EXPECT_FALSE(layers.AddMod(base.Path() + "/no-such-mod"));
    EXPECT_FALSE(layers.AddMod(base.Path() + "/secret.txt"));
    EXPECT_TRUE(layers.ModNames().empty());

    // A data path leaving the mod through ".." is never looked up in it.
    ASSERT_TRUE(layers.AddMod(base.Path() + "/mods/inner"));
    const std::string escape = "gfx/../../../../" +
                               outside.Path().substr(outside.Path().rfind('/') + 1) +
                               "/secret.txt";
    EXPECT_EQ(layers.Resolve(escape), escape);
    EXPECT_EQ(layers.Resolve("gfx/a.txt"), base.Path() + "/mods/inner/gfx/a.txt");
}

TEST_F(DataLayersTest, InstalledModsLoadInNameOrder) {
    TempDir installed;
    installed.Write("b-mod/x.txt", "b");
    installed.Write("a-mod/x.txt", "a");
    installed.Write("a-mod/y.txt", "a");
    TempDir base;
    base.Enter();

    DataLayers& layers = DataLayers::Active();
    layers.AddInstalledMods(installed.Path());
    EXPECT_EQ(layers.ModNames(), (std::vector<std::string>{"a-mod", "b-mod"}));
    EXPECT_EQ(ReadThrough("x.txt"), "b");
    EXPECT_EQ(ReadThrough("y.txt"), "a");
    layers.AddInstalledMods(installed.Path() + "/none");
    EXPECT_EQ(layers.ModNames().size(), 2u);

    // The player turned b-mod off: a-mod's file shows through.
    layers.Clear();
    layers.AddInstalledMods(installed.Path(), SettingsXml::ModsOff(
                                                  "<settings><mod name=\"b-mod\" on=\"no\"/>"
                                                  "<mod name=\"a-mod\" on=\"yes\"/></settings>"));
    EXPECT_EQ(layers.ModNames(), (std::vector<std::string>{"a-mod"}));
    EXPECT_EQ(ReadThrough("x.txt"), "a");
}
