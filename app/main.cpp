// Glimmerax: the executable reads its command line (world/CommandLine.h) and runs the engine's
// game loop. Without options it reads config.xml from the working directory and a game ends
// with status 1; --replay watches or verifies a replay; a command line that cannot be used
// prints the usage and ends with status 2.
//
// SDL.h is included for its start-up: on Windows it renames main so that SDL's own WinMain
// runs first and sends the standard streams, and so the log, to stdout.txt and stderr.txt
// beside the program.

#include <SDL/SDL.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/Version.h"
#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/SystemServices.h"
#include "world/CommandLine.h"
#include "world/GameMain.h"
#include "world/ReplayMain.h"
#include "world/ShooterWorld.h"

namespace {

constexpr int kUsageStatus = 2;

// Enters the data folder: the one named on the command line, else (the Windows release) the
// folder beside the program; on other systems the launcher starts the game in its data
// folder and this changes nothing. False (reported) when a named folder cannot be entered.
bool EnterData(const std::string& named) {
    if (named.empty()) {
        platform::EnterDataFolder(platform::ExecutablePath());
        return true;
    }
    std::error_code error;
    std::filesystem::current_path(platform::NativePath(named), error);
    if (error) {
        std::fprintf(stderr, "glimmerax: cannot enter the data folder %s: %s\n", named.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    CommandLine::Options options;
    std::string error;
    if (!CommandLine::Parse(argc, argv, options, error)) {
        std::fprintf(stderr, "glimmerax: %s\n%s", error.c_str(),
                     CommandLine::Usage("glimmerax").c_str());
        return kUsageStatus;
    }
    if (options.help) {
        std::fputs(CommandLine::Usage("glimmerax").c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("glimmerax %s\n", glimmerax::Version());
        return 0;
    }
    // A replay named relative to where the program was started, before the data folder is
    // entered.
    const std::string replay = options.replay.empty()
                                   ? std::string()
                                   : std::filesystem::absolute(platform::NativePath(options.replay))
                                         .lexically_normal()
                                         .u8string();
    if (!EnterData(options.dataFolder)) {
        return kUsageStatus;
    }
    if (!replay.empty()) {
        return options.verify ? VerifyReplay(replay) : WatchReplay(replay);
    }
    LaunchOverrides overrides;
    overrides.fullScreen = options.fullScreen;
    overrides.mute = options.mute;
    ShooterWorld::GetInstance()->PlayerChoices().SetOverrides(overrides);
    return RunGame();
}
