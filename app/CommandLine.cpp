#include "app/CommandLine.h"

bool CommandLine::Parse(int argc, const char* const argv[]) {
    m_options = Options();
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            m_options.help = true;
        } else if (argument == "--version") {
            m_options.version = true;
        } else if (argument == "--fullscreen") {
            m_options.fullScreen = true;
        } else if (argument == "--windowed") {
            m_options.fullScreen = false;
        } else if (argument == "--mute") {
            m_options.mute = true;
        } else if (argument == "--data") {
            if (i + 1 >= argc || std::string(argv[i + 1]).empty()) {
                m_error = "--data needs a folder";
                return false;
            }
            m_options.dataFolder = argv[++i];
        } else {
            m_error = "unknown option " + argument;
            return false;
        }
    }
    return true;
}

void CommandLine::PrintUsage(std::ostream& out) {
    out << "Usage: glimmerax [OPTION]...\n"
           "Plays Glimmerax with the data in the working directory (config.xml).\n"
           "\n"
           "  --data DIR     play the data folder DIR\n"
           "  --fullscreen   start in full screen (this run only)\n"
           "  --windowed     start in a window (this run only)\n"
           "  --mute         start with all sound muted\n"
           "  --version      print the version and exit\n"
           "  --help         print this help and exit\n";
}
