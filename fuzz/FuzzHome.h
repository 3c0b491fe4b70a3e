#pragma once
// The data folder of a fuzz target: a fresh folder below /tmp holding the fixed data of
// FuzzData.h under the names the seed data use, so that file names in a fuzzed input resolve
// as they would in the game's data folder. The game reads its files relative to the working
// directory, but libFuzzer reads and writes corpora and artifacts relative to it too: the
// folder is the working directory only while an input runs (HomeScope).

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Once per process, from LLVMFuzzerInitialize: silences the log (set GLIMMERAX_FUZZ_LOG=1 to
// keep it when reproducing a finding), makes the folder and writes the fixed data. The folder
// is removed when the process exits normally. Unless the command line names an
// -artifact_prefix, one naming the starting directory is added, so that a crash found while
// the folder is entered is still written where libFuzzer says it is. Layout: the sheet as
// <sprite>.png and images/<sprite>.png for every sprite; the sprite, animation and font sets as
// sets/sprites.xml, sets/animations.xml, sets/fonts.xml and as sprites.xml, animations.xml,
// fonts.xml; the layer set as gui/{title,hud,paused,gameover,complete}.xml and layers.xml; the
// level as levels/level1.xml and level.xml.
void EnterHome(int* argc, char*** argv);

// Makes the folder the working directory while it lives, then goes back.
class HomeScope {
public:
    HomeScope();
    ~HomeScope();
    HomeScope(const HomeScope&) = delete;
    HomeScope& operator=(const HomeScope&) = delete;
};

// Writes size bytes to name (relative to the working directory), replacing the file.
void WriteFile(const std::string& name, const uint8_t* data, size_t size);

}  // namespace fuzz
