// Glimmerax: the executable reads its command line (app/CommandLine.h) and runs the engine's
// game loop. Without arguments it reads config.xml from the working directory; a game ends
// with status 1, a command line that cannot be used with 2.
//
// SDL.h is included for its start-up: on Windows it renames main so that SDL's own WinMain
// runs first and sends the standard streams, and so the log, to stdout.txt and stderr.txt
// beside the program.

#include <SDL/SDL.h>

#include <filesystem>
#include <iostream>
#include <system_error>

#include "app/CommandLine.h"
#include "core/Version.h"
#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/SystemServices.h"
#include "world/GameMain.h"
#include "world/ShooterWorld.h"

int main(int argc, char* argv[]) {
    CommandLine commandLine;
    if (!commandLine.Parse(argc, argv)) {
        std::cerr << "glimmerax: " << commandLine.Error() << "\n";
        CommandLine::PrintUsage(std::cerr);
        return CommandLine::kUsageStatus;
    }
    const CommandLine::Options& options = commandLine.Get();
    if (options.help) {
        CommandLine::PrintUsage(std::cout);
        return 0;
    }
    if (options.version) {
        std::cout << "glimmerax " << glimmerax::Version() << "\n";
        return 0;
    }
    if (!options.dataFolder.empty()) {
        std::error_code error;
        std::filesystem::current_path(platform::NativePath(options.dataFolder), error);
        if (error) {
            std::cerr << "glimmerax: cannot enter the data folder " << options.dataFolder << ": "
                      << error.message() << "\n";
            return CommandLine::kUsageStatus;
        }
    } else {
        // The Windows release keeps its data in a folder beside the program; on other systems
        // the launcher starts the game in its data folder and this changes nothing.
        platform::EnterDataFolder(platform::ExecutablePath());
    }
    LaunchOverrides overrides;
    overrides.fullScreen = options.fullScreen;
    overrides.mute = options.mute;
    ShooterWorld::GetInstance()->PlayerChoices().SetOverrides(overrides);
    return RunGame();
}
