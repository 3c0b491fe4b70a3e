#pragma once
// The game's command line:
//   --help            the usage on standard output, exit 0
//   --version         the version on standard output, exit 0
//   --data DIR        play the data folder DIR (the game changes into it before start-up)
//   --fullscreen      start in full screen, --windowed in a window (this run only)
//   --mute            start with all sound muted
// Anything else is the usage on standard error and exit 2. No arguments: the game as
// designed.

#include <optional>
#include <ostream>
#include <string>

class CommandLine {
public:
    struct Options {
        bool help = false;
        bool version = false;
        std::string dataFolder;           // "" when not given
        std::optional<bool> fullScreen;   // --fullscreen (true) or --windowed (false)
        bool mute = false;
    };

    // The exit status of a command line that cannot be used.
    static constexpr int kUsageStatus = 2;

    // Reads argv[1] to argv[argc - 1]; false with the reason in Error() when an option is
    // unknown or lacks its value.
    bool Parse(int argc, const char* const argv[]);
    const Options& Get() const { return m_options; }
    const std::string& Error() const { return m_error; }
    static void PrintUsage(std::ostream& out);

private:
    Options m_options;
    std::string m_error;
};
