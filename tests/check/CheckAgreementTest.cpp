// The game and its checker agree on every problem the game's loaders find: each input of the
// fuzz corpora (configurations, sprite, animation, font, layer and sound sets, levels,
// explosions, sprite sheets) is placed in a small data folder as the file its reader reads,
// loaded by the game's loaders in-process and checked by glimmerax-check. Compared are the
// error problems reported by the game's loaders, as (file, line, text): the game's side
// collected through the diagnostics, the checker's side its findings of origin "game". The
// checker's own findings (unknown elements and attributes, names defined twice, layers,
// frames and actions named but not there, timing) are not part of the comparison.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CheckToolRun.h"
#include "GameLoaderRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

struct Corpus {
    const char* name;    // folder below the corpus root
    const char* file;    // where each input goes in the data folder
    const char* config;  // the config.xml that reads it ("" when the input is config.xml)
    // When set, the input is an element of config.xml: the file is this text, then the input,
    // then "</config>".
    const char* wrap = nullptr;
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
    {"soundset", "sounds.xml", "<config><soundsetfile>sounds.xml</soundsetfile></config>"},
    {"explosion", "config.xml", "",
     "<config gameoverlayer=\"o\" gamecompletelayer=\"c\"><spritesetfile>s.xml</spritesetfile>"},
    {"png", "img/s.png", "<config><spritesetfile>s.xml</spritesetfile></config>"},
};

void PrintTo(const Corpus& corpus, std::ostream* out) {
    *out << corpus.name;
}

std::string Describe(const std::set<Problem>& problems) {
    std::string text;
    for (const Problem& problem : problems) {
        text +=
            "  " + problem.file + ":" + std::to_string(problem.line) + ": " + problem.text + "\n";
    }
    return text;
}

class CheckAgreementTest : public ::testing::TestWithParam<Corpus> {};

TEST_P(CheckAgreementTest, GameAndCheckerReportTheSameProblems) {
    const Corpus& corpus = GetParam();
    TempDir data;
    data.Write("s.xml", kSprites);
    fs::create_directories(fs::path(data.Path()) / "img");
    data.Enter();
    int compared = 0;
    int withProblems = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(GLIMMERAX_FUZZ_CORPUS) / corpus.name)) {
        if (corpus.config[0] != '\0') {
            data.Write("config.xml", corpus.config);
        }
        if (corpus.wrap) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string input{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
            data.Write(corpus.file, corpus.wrap + input + "</config>");
        } else {
            fs::copy_file(entry.path(), fs::path(data.Path()) / corpus.file,
                          fs::copy_options::overwrite_existing);
        }
        const std::set<Problem> game = GameLoaderProblems();
        const CheckRun run = RunCheck("--json " + data.Path() + " 2>/dev/null");
        const std::set<Problem> checker = CheckerGameProblems(run.out);
        EXPECT_EQ(game, checker) << entry.path() << "\ngame:\n"
                                 << Describe(game) << "checker:\n"
                                 << Describe(checker);
        ++compared;
        withProblems += game.empty() ? 0 : 1;
    }
    EXPECT_GT(compared, 0);
    // The corpora hold broken inputs: a comparison of nothing but empty sets proves nothing.
    EXPECT_GT(withProblems, 0);
}

INSTANTIATE_TEST_SUITE_P(Corpora, CheckAgreementTest, ::testing::ValuesIn(kCorpora),
                         [](const ::testing::TestParamInfo<Corpus>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
