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
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "core/DataLayers.h"
#include "core/DataWatch.h"
#include "core/Version.h"
#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/SystemServices.h"
#include "world/CommandLine.h"
#include "world/GameMain.h"
#include "world/ReplayMain.h"
#include "world/SettingsFile.h"
#include "world/SettingsXml.h"
#include "world/ShooterWorld.h"

namespace {

constexpr int kUsageStatus = 2;

// A path named on the command line, made absolute against the starting folder: the data
// folder becomes the working directory before it is read.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(platform::NativePath(path), error);
    return error ? path : absolute.lexically_normal().u8string();
}

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

// The installed mods but those the settings file turns off, then the command line's in order,
// over the data folder.
void LayerMods(const std::vector<std::string>& mods) {
    DataLayers& layers = DataLayers::Active();
    // Read directly: the player's file is no data file, and live reload must not watch it.
    std::stringstream settings;
    settings << std::ifstream(platform::NativePath(SettingsFile::DefaultPath())).rdbuf();
    layers.AddInstalledMods(DataLayers::InstalledFolder(), SettingsXml::ModsOff(settings.str()));
    for (const std::string& folder : mods) {
        layers.AddMod(folder);
    }
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
    const std::string replay = options.replay.empty() ? std::string() : Absolute(options.replay);
    std::vector<std::string> mods;
    for (const std::string& mod : options.mods) {
        mods.push_back(Absolute(mod));
    }
    if (!EnterData(options.dataFolder)) {
        return kUsageStatus;
    }
    LayerMods(mods);
    if (!replay.empty()) {
        return options.verify ? VerifyReplay(replay) : WatchReplay(replay);
    }
    DataWatch::Active().SetOn(options.watch);
    LaunchOverrides overrides;
    overrides.fullScreen = options.fullScreen;
    overrides.mute = options.mute;
    ShooterWorld::GetInstance()->PlayerChoices().SetOverrides(overrides);
    return RunGame();
}
