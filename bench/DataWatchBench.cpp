// The cost of live reload (--watch): one look at every file of the default data folder
// (DataWatch::Changed when a look is due: a layered lookup and a status read of each file), a
// call between looks, as every frame but one in DataWatch::kPollMs makes, and the CPU side of
// reading the default sprite set again (every sheet decoded; the upload is left out). The game
// reads nearly every file of its data folder, so the folder stands for the files it watches.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "core/DataLayers.h"
#include "core/DataWatch.h"
#include "resources/CSpriteManager.h"

namespace fs = std::filesystem;

namespace {

// Notes every file of the data folder under its relative path, as reading it would; the
// number of files.
int NoteDataFolder(DataWatch& watch) {
    fs::current_path(GLIMMERAX_DATA);
    watch.SetOn(true);
    int files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(".")) {
        if (entry.is_regular_file()) {
            const std::string path = fs::relative(entry.path(), ".").generic_string();
            watch.Note(path, DataLayers::Active().Locate(path));
            ++files;
        }
    }
    return files;
}

void BM_LookAtEveryFile(benchmark::State& state) {
    DataWatch watch;
    const int files = NoteDataFolder(watch);
    uint32_t now = 0;
    for (auto _ : state) {
        now += DataWatch::kPollMs;
        benchmark::DoNotOptimize(watch.Changed(now));
    }
    state.counters["files"] = files;
}
BENCHMARK(BM_LookAtEveryFile)->Unit(benchmark::kMicrosecond);

void BM_BetweenLooks(benchmark::State& state) {
    DataWatch watch;
    NoteDataFolder(watch);
    watch.Changed(0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(watch.Changed(1));
    }
}
BENCHMARK(BM_BetweenLooks);

void BM_ReloadDefaultSpriteSet(benchmark::State& state) {
    fs::current_path(GLIMMERAX_DATA);
    // One "Loaded" line per sprite and reading, to the log (standard error): not what is
    // measured, so it goes nowhere.
    std::streambuf* log = std::cerr.rdbuf(nullptr);
    CSpriteManager* sprites = CSpriteManager::GetInstance();
    sprites->SetUploadTextures(false);
    sprites->LoadSpriteSet("sets/sprites.xml");
    for (auto _ : state) {
        benchmark::DoNotOptimize(sprites->Reload("sets/sprites.xml"));
    }
    sprites->UnloadAll();
    std::cerr.rdbuf(log);
    std::cerr.clear();
}
BENCHMARK(BM_ReloadDefaultSpriteSet)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
