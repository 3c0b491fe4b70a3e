// The checker never crashes on the fuzz corpora of the game's readers: each input is placed
// as the data file its reader reads, in a small data folder, and checked (with a map for the
// levels). Every run must end with a status of 0, 1 or 2.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CheckToolRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

struct Corpus {
    const char* name;    // folder below the corpus root
    const char* file;    // where each input goes in the data folder
    const char* config;  // the config.xml that reads it ("" when the input is config.xml)
};

const char* const kSprites =
    "<spriteset basedir=\"img\"><sprite name=\"s\"><image swidth=\"8\" sheight=\"8\" "
    "numframes=\"4\" rows=\"2\" columns=\"2\">s.png</image></sprite></spriteset>";

const Corpus kCorpora[] = {
    {"config", "config.xml", ""},
    {"spriteset", "sprites.xml", "<config><spritesetfile>sprites.xml</spritesetfile></config>"},
    {"animationset", "animations.xml",
     "<config><spritesetfile>s.xml</spritesetfile><animationsetfile>animations.xml"
     "</animationsetfile><explosioncfg sprite=\"s\" anim=\"explosion\" action=\"burst\"/>"
     "</config>"},
    {"fontset", "fonts.xml",
     "<config><spritesetfile>s.xml</spritesetfile><fontsetfile>fonts.xml</fontsetfile>"
     "</config>"},
    {"layerset", "layers.xml",
     "<config><spritesetfile>s.xml</spritesetfile><guicfg default=\"hud\"><layersetfile>"
     "layers.xml</layersetfile></guicfg></config>"},
    {"level", "level.xml",
     "<config><spritesetfile>s.xml</spritesetfile><defaults level=\"level.xml\"/></config>"},
    {"explosion", "config.xml", ""},
    {"png", "img/s.png", "<config><spritesetfile>s.xml</spritesetfile></config>"},
};

void PrintTo(const Corpus& corpus, std::ostream* out) {
    *out << corpus.name;
}

class CheckFuzzReplayTest : public ::testing::TestWithParam<Corpus> {};

TEST_P(CheckFuzzReplayTest, NeverCrashes) {
    const Corpus& corpus = GetParam();
    TempDir data;
    data.Write("s.xml", kSprites);
    fs::create_directories(fs::path(data.Path()) / "img");
    const std::string map = data.Path() + "/map.png";
    int replayed = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(GLIMMERAX_FUZZ_CORPUS) / corpus.name)) {
        if (corpus.config[0] != '\0') {
            data.Write("config.xml", corpus.config);
        }
        fs::copy_file(entry.path(), fs::path(data.Path()) / corpus.file,
                      fs::copy_options::overwrite_existing);
        const CheckRun run = RunCheck("--map " + map + " " + data.Path() + " 2>/dev/null");
        EXPECT_TRUE(run.status >= 0 && run.status <= 2)
            << entry.path() << " ended with " << run.status;
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

INSTANTIATE_TEST_SUITE_P(Corpora, CheckFuzzReplayTest, ::testing::ValuesIn(kCorpora),
                         [](const ::testing::TestParamInfo<Corpus>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
