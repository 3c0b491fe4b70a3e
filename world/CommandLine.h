#pragma once
// The program's options. Each option is one row of a table (name, whether it takes a value,
// what it sets), so that more can join without touching the parsing.

#include <optional>
#include <string>
#include <vector>

class CommandLine {
public:
    struct Options {
        std::string replay;   // --replay FILE: watch (or verify) that replay
        bool verify = false;  // --verify: check the replay without a window, as fast as it can
        bool help = false;    // --help
        bool version = false; // --version
        std::string dataFolder;          // --data DIR: play that data folder
        std::optional<bool> fullScreen;  // --fullscreen (true) or --windowed (false)
        bool mute = false;               // --mute
        std::vector<std::string> mods;   // --mod DIR, in order (a later mod wins)
        bool watch = false;              // --watch: reload the data files that change
    };

    // Reads argv[1] onwards; false with the reason in error on an unknown option, an option
    // without its value, or --verify without --replay.
    static bool Parse(int argc, const char* const argv[], Options& options, std::string& error);
    // The usage text, several lines, each ending with a line end.
    static std::string Usage(const std::string& program);
};
