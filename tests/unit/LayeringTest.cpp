// The engine's layers, lowest first. A file may include only files of its own folder and of the
// folders before it. docs/architecture.md shows this table; this list is the rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kLayers = {"platform", "core", "math", "events", "png", "resources",
                                          "audio",    "game", "gui",  "world",  "app"};

int LayerOf(const std::string& folder) {
    const auto it = std::find(kLayers.begin(), kLayers.end(), folder);
    return it == kLayers.end() ? -1 : static_cast<int>(it - kLayers.begin());
}

// Every quoted include in the engine folders that reaches a higher layer or a folder outside
// the table, as "file:line: includes path".
std::vector<std::string> UpwardIncludes(const fs::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> faults;
    for (const std::string& folder : kLayers) {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(root / folder)) {
            files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            std::ifstream in(file);
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                std::smatch match;
                if (!std::regex_search(line, match, include)) {
                    continue;
                }
                const std::string target = match[1];
                const auto slash = target.find('/');
                const std::string targetFolder =
                    slash == std::string::npos ? folder : target.substr(0, slash);
                const int targetLayer = LayerOf(targetFolder);
                if (targetLayer < 0 || targetLayer > LayerOf(folder)) {
                    faults.push_back(folder + "/" + file.filename().string() + ":" +
                                     std::to_string(number) + ": includes " + target);
                }
            }
        }
    }
    return faults;
}

}  // namespace

TEST(LayeringTest, NoEngineFileIncludesAHigherLayer) {
    const std::vector<std::string> faults = UpwardIncludes(GLIMMERAX_SOURCE_DIR);
    std::string report;
    for (const std::string& fault : faults) {
        report += fault + "\n";
    }
    EXPECT_TRUE(faults.empty()) << "Includes against the layer order:\n" << report;
}

TEST(LayeringTest, EveryEngineFolderHasItsPlaceInTheOrder) {
    // A folder of engine sources that the table does not name would escape the rule.
    const std::vector<std::string> outside = {"tests", "bench", "fuzz",    "tools",    "data",
                                              "docs",  "cmake", "scripts", "packaging"};
    for (const auto& entry : fs::directory_iterator(GLIMMERAX_SOURCE_DIR)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory() || name[0] == '.' || name.rfind("build", 0) == 0 ||
            name == "dist" || std::count(outside.begin(), outside.end(), name) > 0) {
            continue;
        }
        bool hasSources = false;
        for (const auto& file : fs::directory_iterator(entry.path())) {
            const std::string ext = file.path().extension().string();
            hasSources = hasSources || ext == ".cpp" || ext == ".h";
        }
        EXPECT_TRUE(!hasSources || LayerOf(name) >= 0)
            << name << "/ holds engine sources but has no place in the layer order";
    }
}

TEST(LayeringTest, TheRuleCatchesAnUpwardInclude) {
    // A scratch tree with one include down and one up: only the upward one is reported.
    // Named after the process: test runs of other checkouts may share the temporary folder.
    const fs::path root =
        fs::temp_directory_path() / ("glimmerax-layering-test-" + std::to_string(getpid()));
    fs::remove_all(root);
    for (const std::string& folder : kLayers) {
        fs::create_directories(root / folder);
    }
    std::ofstream(root / "game" / "Ship.cpp") << "#include \"core/Log.h\"\n"
                                                 "#include <vector>\n"
                                                 "#include \"world/ShooterWorld.h\"\n";
    std::ofstream(root / "png" / "Inflate.cpp") << "#include \"Local.h\"\n";
    const std::vector<std::string> faults = UpwardIncludes(root);
    fs::remove_all(root);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0], "game/Ship.cpp:3: includes world/ShooterWorld.h");
}
