#pragma once
// The layered lookup every data file goes through. The base layer is the data folder (the
// working directory, as the game has always read it); mods are folders that mirror it and lie
// over it in the order they were added, a later one winning. A relative data path resolves to
// the file of the topmost layer that holds it; a path no mod holds, an absolute path and a
// path with a ".." part resolve as they always did (a mod never reaches outside itself).
// Nothing here writes to any layer.

#include <string>
#include <vector>

class DataLayers {
public:
    // The lookup the game's loaders use (no mods until some are added).
    static DataLayers& Active();

    // Adds the folder as the topmost layer, named after about.xml's <name> or, without one,
    // after the folder. Logs one line and adds nothing when the folder does not exist, cannot
    // be read or its path has a ".." part; otherwise logs the mod's name and every base file
    // it replaces. True when added.
    bool AddMod(const std::string& folder);
    // Adds every sub-folder of installed (the installed mods' folder), in name order, but
    // those whose folder name is in off (turned off by the player: one log line each); a
    // missing folder adds nothing and logs nothing.
    void AddInstalledMods(const std::string& installed, const std::vector<std::string>& off = {});
    // The folder names of the installed mods, in name order (none when installed is missing).
    static std::vector<std::string> InstalledNames(const std::string& installed);
    // Back to the base layer alone.
    void Clear();

    // The path to open for the data path, in the topmost layer that holds it. The loaders
    // call it to read the file: live reload (DataWatch) then notes the file as read.
    std::string Resolve(const std::string& path) const;
    // As Resolve, without noting the file as read.
    std::string Locate(const std::string& path) const;
    // "data" for the base layer, else the name of the mod the path resolves into.
    std::string LayerOf(const std::string& path) const;
    // The active mods' names, lowest first.
    std::vector<std::string> ModNames() const;

    // The installed mods' folder: $XDG_DATA_HOME/glimmerax/mods, %APPDATA%/glimmerax/mods on
    // Windows, else ~/.local/share/glimmerax/mods; "" when none of these is known.
    static std::string InstalledFolder();

private:
    struct Mod {
        std::string folder;
        std::string name;
    };

    // The index of the topmost mod holding path, or -1 for the base layer.
    int Find(const std::string& path) const;
    void LogFiles(const Mod& mod) const;

    std::vector<Mod> m_mods;
};
