#include "FuzzHome.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "FuzzData.h"

namespace fs = std::filesystem;

namespace fuzz {
namespace {

// Swallows everything: the game logs every problem of the data, and a fuzzer feeds nothing
// else.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

std::string g_home;
std::string g_start;

void RemoveHome() {
    std::error_code ignored;
    fs::remove_all(g_home, ignored);
}

// Adds -artifact_prefix=<starting directory>/ unless an artifact flag is given; libFuzzer
// parses the command line after LLVMFuzzerInitialize, which may change it.
void AddArtifactPrefix(int* argc, char*** argv) {
    for (int i = 1; i < *argc; ++i) {
        const std::string arg = (*argv)[i];
        if (arg.rfind("-artifact_prefix=", 0) == 0 || arg.rfind("-exact_artifact_path=", 0) == 0) {
            return;
        }
    }
    static std::string prefix = "-artifact_prefix=" + g_start + "/";
    static std::vector<char*> args;
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, prefix.data());
    args.push_back(nullptr);
    *argc += 1;
    *argv = args.data();
}

void WriteText(const std::string& name, const std::string& text) {
    WriteFile(name, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void WriteFixedData() {
    for (size_t i = 0; i < kSpriteCount; ++i) {
        const std::string image = std::string(kSprites[i].name) + ".png";
        WriteFile(image, kSheetPng, kSheetPngSize);
        WriteFile("images/" + image, kSheetPng, kSheetPngSize);
    }
    const std::string sprites = SpriteSetXml();
    for (const char* folder : {"sets/", ""}) {
        const std::string prefix = folder;
        WriteText(prefix + "sprites.xml", sprites);
        WriteText(prefix + "animations.xml", kAnimationSetXml);
        WriteText(prefix + "fonts.xml", kFontSetXml);
    }
    for (const char* name : {"title", "hud", "paused", "gameover", "complete"}) {
        WriteText(std::string("gui/") + name + ".xml", kLayerSetXml);
    }
    WriteText("layers.xml", kLayerSetXml);
    WriteText("levels/level1.xml", kLevelXml);
    WriteText("level.xml", kLevelXml);
}

}  // namespace

void EnterHome(int* argc, char*** argv) {
    if (!g_home.empty()) {
        return;
    }
    g_start = fs::current_path().string();
    if (!std::getenv("GLIMMERAX_FUZZ_LOG")) {
        static NullBuffer null;
        std::cerr.rdbuf(&null);
    }
    char pattern[] = "/tmp/glimmerax-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        std::abort();
    }
    g_home = pattern;
    std::atexit(RemoveHome);
    {
        HomeScope home;
        WriteFixedData();
    }
    AddArtifactPrefix(argc, argv);
}

HomeScope::HomeScope() {
    fs::current_path(g_home);
}

HomeScope::~HomeScope() {
    fs::current_path(g_start);
}

void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    const fs::path path(name);
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace fuzz
