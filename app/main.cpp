// Glimmerax: the executable is the engine's game loop and nothing else. It reads config.xml
// from the working directory and ends with status 1.
//
// Options: "--mod DIR" (repeatable) lays the folder DIR over the data folder, a later mod
// winning; the mods installed in the user's mods folder (DataLayers::InstalledFolder) lie
// below those, in name order. "--watch" reloads the data files that change while the game runs
// (DataWatch). Other arguments are ignored.
//
// SDL.h is included for its start-up: on Windows it renames main so that SDL's own WinMain
// runs first and sends the standard streams, and so the log, to stdout.txt and stderr.txt
// beside the program.

#include <SDL/SDL.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/DataLayers.h"
#include "core/DataWatch.h"
#include "core/Log.h"
#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/SystemServices.h"
#include "world/GameMain.h"

namespace {

// The "--mod DIR" folders in order, made absolute against the starting directory (the data
// folder may become the working directory before they are read).
std::vector<std::string> ModFolders(int argc, char* argv[]) {
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--mod") != 0) {
            continue;
        }
        if (i + 1 >= argc) {
            LogMessage("--mod needs a folder\n");
            break;
        }
        std::error_code error;
        const std::filesystem::path absolute =
            std::filesystem::absolute(platform::NativePath(argv[++i]), error);
        folders.push_back(error ? std::string(argv[i]) : absolute.u8string());
    }
    return folders;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> mods = ModFolders(argc, argv);
    // The Windows release keeps its data in a folder beside the program; on other systems the
    // launcher starts the game in its data folder and this changes nothing.
    platform::EnterDataFolder(platform::ExecutablePath());
    DataLayers& layers = DataLayers::Active();
    layers.AddInstalledMods(DataLayers::InstalledFolder());
    for (const std::string& folder : mods) {
        layers.AddMod(folder);
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--watch") == 0) {
            DataWatch::Active().SetOn(true);
        }
    }
    return RunGame();
}
