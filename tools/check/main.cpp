// glimmerax-check [--json] [--map OUT.png] [--mod DIR]... [DATA_DIR]: checks a Glimmerax data
// folder, with the mods laid over it in order as the game lays them, the way the game reads it and reports every problem as "path:line: error: message" (or warning),
// then "N errors, M warnings". Exit status 0 without errors, 1 with errors, 2 when the data
// folder or its config.xml cannot be read. --map draws the configured level into a PNG.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/DataLayers.h"

#include "tools/check/DataChecker.h"
#include "tools/check/LevelMap.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitErrors = 1;
constexpr int kExitUnreadable = 2;

struct Options {
    bool json = false;
    std::string mapFile;  // absolute, empty when no map is asked for
    std::string dataDir = ".";
    std::vector<std::string> mods;  // absolute, lowest first
};

void PrintUsage(std::ostream& out) {
    out << "usage: glimmerax-check [--json] [--map OUT.png] [--mod DIR]... [DATA_DIR]\n"
           "Checks the game data in DATA_DIR (default: the current folder), with each mod\n"
           "folder DIR laid over it in order, a later one winning.\n";
}

// False (with a message) on a bad command line.
bool ParseOptions(int argc, char** argv, Options& options) {
    bool haveDir = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--map" && i + 1 < argc) {
            options.mapFile = std::filesystem::absolute(argv[++i]).string();
        } else if (arg == "--mod" && i + 1 < argc) {
            options.mods.push_back(std::filesystem::absolute(argv[++i]).string());
        } else if (arg.empty() || arg[0] == '-' || haveDir) {
            return false;
        } else {
            options.dataDir = arg;
            haveDir = true;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // The sounds are loaded through SDL_mixer as the game loads them, on SDL's silent driver
    // unless another is asked for: it opens a device even where there is no sound card (a
    // build server). putenv keeps the text, so it is static.
    if (!std::getenv("SDL_AUDIODRIVER")) {
        static char silentDriver[] = "SDL_AUDIODRIVER=dummy";
        putenv(silentDriver);
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        PrintUsage(std::cerr);
        return kExitUnreadable;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options.dataDir, error) ||
        chdir(options.dataDir.c_str()) != 0) {
        std::cerr << "glimmerax-check: cannot read the data folder " << options.dataDir << '\n';
        return kExitUnreadable;
    }
    for (const std::string& mod : options.mods) {
        // A mod that cannot be used is said so on the log (standard error) and left out.
        DataLayers::Active().AddMod(mod);
    }
    Findings findings;
    DataChecker checker(findings);
    if (!checker.Run()) {
        std::cerr << "glimmerax-check: cannot read " << options.dataDir << "/config.xml\n";
        return kExitUnreadable;
    }
    if (options.json) {
        findings.PrintJson(std::cout);
    } else {
        findings.PrintText(std::cout);
    }
    int status = findings.ErrorCount() > 0 ? kExitErrors : kExitClean;
    if (!options.mapFile.empty()) {
        std::string problem;
        if (!checker.Level()) {
            problem = "the configuration names no level that loads";
        } else {
            LevelMap(*checker.Level()).Write(options.mapFile, problem);
        }
        if (!problem.empty()) {
            std::cerr << "glimmerax-check: no map: " << problem << '\n';
            status = kExitErrors;
        }
    }
    return status;
}
