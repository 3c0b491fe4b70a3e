// Glimmerax: the executable is the engine's game loop and nothing else. It reads config.xml
// from the working directory and, without options, ends with status 1. The options
// (CommandLine) watch or verify a replay; an unknown one prints the usage and ends with 2.
//
// SDL.h is included for its start-up: on Windows it renames main so that SDL's own WinMain
// runs first and sends the standard streams, and so the log, to stdout.txt and stderr.txt
// beside the program.

#include <SDL/SDL.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/SystemServices.h"
#include "world/CommandLine.h"
#include "world/GameMain.h"
#include "world/ReplayMain.h"

int main(int argc, char* argv[]) {
    CommandLine::Options options;
    std::string error;
    if (!CommandLine::Parse(argc, argv, options, error)) {
        std::fprintf(stderr, "glimmerax: %s\n%s", error.c_str(),
                     CommandLine::Usage("glimmerax").c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(CommandLine::Usage("glimmerax").c_str(), stdout);
        return 0;
    }
    // A replay named relative to where the program was started, before the data folder is
    // entered.
    const std::string replay = options.replay.empty()
                                   ? std::string()
                                   : std::filesystem::absolute(platform::NativePath(options.replay))
                                         .lexically_normal()
                                         .u8string();
    // The Windows release keeps its data in a folder beside the program; on other systems the
    // launcher starts the game in its data folder and this changes nothing.
    platform::EnterDataFolder(platform::ExecutablePath());
    if (replay.empty()) {
        return RunGame();
    }
    return options.verify ? VerifyReplay(replay) : WatchReplay(replay);
}
