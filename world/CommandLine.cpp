#include "world/CommandLine.h"

#include <cstring>

namespace {

struct Option {
    const char* name;
    const char* value;  // the value's name in the usage; null when the option takes none
    const char* help;
    void (*set)(CommandLine::Options& options, const char* value);
};

const Option kOptions[] = {
    {"--replay", "FILE", "watch the replay FILE (keys: P pause, 1 2 4 speed, Escape quit)",
     [](CommandLine::Options& options, const char* value) { options.replay = value; }},
    {"--verify", nullptr,
     "with --replay: check FILE without a window; exit 0 when it plays as recorded, 1 when it "
     "does not, 2 when it cannot be used",
     [](CommandLine::Options& options, const char*) { options.verify = true; }},
    {"--data", "DIR", "play the data folder DIR",
     [](CommandLine::Options& options, const char* value) { options.dataFolder = value; }},
    {"--fullscreen", nullptr, "start in full screen (this run only)",
     [](CommandLine::Options& options, const char*) { options.fullScreen = true; }},
    {"--windowed", nullptr, "start in a window (this run only)",
     [](CommandLine::Options& options, const char*) { options.fullScreen = false; }},
    {"--mute", nullptr, "start with all sound muted",
     [](CommandLine::Options& options, const char*) { options.mute = true; }},
    {"--mod", "DIR", "play with the mod in folder DIR over the data (repeatable; the last wins)",
     [](CommandLine::Options& options, const char* value) { options.mods.push_back(value); }},
    {"--watch", nullptr, "reload every data file that changes while the game runs",
     [](CommandLine::Options& options, const char*) { options.watch = true; }},
    {"--version", nullptr, "show the version",
     [](CommandLine::Options& options, const char*) { options.version = true; }},
    {"--help", nullptr, "show this text",
     [](CommandLine::Options& options, const char*) { options.help = true; }},
};

const Option* Find(const char* name) {
    for (const Option& option : kOptions) {
        if (std::strcmp(option.name, name) == 0) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

bool CommandLine::Parse(int argc, const char* const argv[], Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const Option* option = Find(argv[i]);
        if (!option) {
            error = std::string("unknown option ") + argv[i];
            return false;
        }
        const char* value = nullptr;
        if (option->value) {
            if (i + 1 >= argc) {
                error = std::string(option->name) + " needs " + option->value;
                return false;
            }
            value = argv[++i];
        }
        option->set(options, value);
    }
    if (options.verify && options.replay.empty()) {
        error = "--verify needs --replay FILE";
        return false;
    }
    return true;
}

std::string CommandLine::Usage(const std::string& program) {
    std::string text =
        "Usage: " + program + " [options]\n" + "Without options the game starts. Options:\n";
    for (const Option& option : kOptions) {
        std::string name = std::string("  ") + option.name;
        if (option.value) {
            name += std::string(" ") + option.value;
        }
        text +=
            name + std::string(name.size() < 18 ? 18 - name.size() : 1, ' ') + option.help + "\n";
    }
    return text;
}
