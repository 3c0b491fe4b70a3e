// The default game (data/) played for a few seconds under valgrind's memcheck: start from the
// title, steer, fire, change weapon, switch motion blur on and off, quit with Escape. Memcheck
// must report no invalid access and no definite or indirect leak; the display driver's own
// findings are suppressed by tests/valgrind.supp, each suppression explained there.
//
// GameProcess starts the binary directly, so this test has its own small launcher that puts
// valgrind in front of it. It is skipped where valgrind is not installed.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/DisplayConnection.h"
#include "support/GameProcess.h"

// The tests and the game share the build's flags: gcc says AddressSanitizer is on through
// __SANITIZE_ADDRESS__, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define GLIMMERAX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GLIMMERAX_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef GLIMMERAX_ADDRESS_SANITIZER
#define GLIMMERAX_ADDRESS_SANITIZER 0
#endif

namespace {

// Start button centre of the default title layer, from the window's top-left corner.
constexpr int START_X = 512, START_Y = 322;
// Valgrind runs the game tens of times slower: start-up, the first frames and the leak check
// at exit all take much longer than in the other end-to-end tests.
constexpr int WINDOW_TIMEOUT_MS = 120000;
constexpr int FRAME_TIMEOUT_MS = 60000;
constexpr int EXIT_TIMEOUT_MS = 180000;

void Run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        // A failed xdotool or import call shows up as a missing effect that the test checks.
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A byte count from memcheck's leak summary ("definitely lost: 1,024 bytes"); 0 when the
// summary has no such line (memcheck leaves it out when nothing leaked at all).
long LeakBytes(const std::string& report, const std::string& kind) {
    std::smatch match;
    if (!std::regex_search(report, match, std::regex(kind + " lost: ([0-9,]+) bytes"))) {
        return 0;
    }
    std::string digits = match[1];
    digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
    return std::stol(digits);
}

// memcheck's error count, or -1 when the report has no summary (valgrind did not finish).
int ErrorCount(const std::string& report) {
    std::smatch match;
    if (!std::regex_search(report, match, std::regex("ERROR SUMMARY: ([0-9,]+) errors"))) {
        return -1;
    }
    return std::stoi(match[1]);
}

// memcheck's closing summaries (heap, leaks, errors), for the test's output.
std::string SummaryLines(const std::string& report) {
    static const std::regex summary(
        "(total heap usage|definitely lost|indirectly lost|possibly lost|still reachable|"
        "suppressed|ERROR SUMMARY)");
    std::istringstream lines(report);
    std::string line;
    std::string found;
    while (std::getline(lines, line)) {
        if (std::regex_search(line, summary)) {
            found += line + "\n";
        }
    }
    return found;
}

// The game under valgrind in the data folder, its log and valgrind's report in files.
class ValgrindGame {
public:
    ~ValgrindGame() {
        Stop();
        std::remove(m_logPath.c_str());
        std::remove(m_reportPath.c_str());
        std::remove(m_shotPath.c_str());
    }

    bool Start(const std::string& directory) {
        m_logPath = TempName("log");
        m_reportPath = TempName("memcheck");
        m_shotPath = TempName("shot");
        const std::string suppressions = std::string(GLIMMERAX_SOURCE_DIR) + "/tests/valgrind.supp";
        std::vector<std::string> args = {"valgrind", "--tool=memcheck", "--leak-check=full",
                                         "--show-leak-kinds=definite,indirect",
                                         "--errors-for-leak-kinds=definite,indirect",
                                         "--error-exitcode=99", "--num-callers=40",
                                         // The driver is unloaded before the leak check; its
                                         // symbols are kept so its suppressions still match.
                                         "--keep-debuginfo=yes", "--suppressions=" + suppressions,
                                         "--log-file=" + m_reportPath, GLIMMERAX_BINARY};
        m_pid = fork();
        if (m_pid == 0) {
            Exec(directory, args);
        }
        return m_pid > 0;
    }

    // Waits until the window exists and has drawn something; false on timeout or exit.
    bool WaitForFirstFrame() {
        const long long end = NowMs() + WINDOW_TIMEOUT_MS;
        while (m_window.empty() && NowMs() < end && Running()) {
            std::istringstream ids(
                GameProcess::RunCapture("xdotool search --name '^Glimmerax$' 2>/dev/null"));
            ids >> m_window;
            GameProcess::Sleep(250);
        }
        if (m_window.empty()) {
            return false;
        }
        Run("xdotool windowfocus --sync " + m_window);
        return WaitForScreen([](const std::string& pixels) { return LitBytes(pixels) > 1000; },
                             FRAME_TIMEOUT_MS);
    }

    // Takes screenshots until one satisfies the condition; false after the timeout.
    template <typename Condition>
    bool WaitForScreen(Condition condition, int timeoutMs) {
        const long long end = NowMs() + timeoutMs;
        while (NowMs() < end && Running()) {
            if (condition(Screenshot())) {
                return true;
            }
            GameProcess::Sleep(500);
        }
        return false;
    }

    // Raw RGB bytes of the window, rows from the top; empty when the capture failed.
    std::string Screenshot() const {
        Run("import -window " + m_window + " -depth 8 rgb:" + m_shotPath);
        return ReadFile(m_shotPath);
    }

    void Xdotool(const std::string& arguments) const { Run("xdotool " + arguments); }

    void Click(int x, int y) const {
        Xdotool("mousemove --window " + m_window + " " + std::to_string(x) + " " +
                std::to_string(y));
        GameProcess::Sleep(200);
        Xdotool("mousedown 1");
        GameProcess::Sleep(300);
        Xdotool("mouseup 1");
    }

    // The exit status, or -1 after a signal or the timeout (the game is then killed).
    int WaitExit(int timeoutMs) {
        const long long end = NowMs() + timeoutMs;
        while (Running() && NowMs() < end) {
            GameProcess::Sleep(200);
        }
        Stop();
        return m_status;
    }

    bool Running() {
        int status = 0;
        if (m_pid > 0 && waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            m_pid = -1;
        }
        return m_pid > 0;
    }

    std::string Log() const { return ReadFile(m_logPath); }
    std::string Report() const { return ReadFile(m_reportPath); }

    static int LitBytes(const std::string& pixels) {
        int lit = 0;
        for (const char byte : pixels) {
            lit += static_cast<unsigned char>(byte) > 8 ? 1 : 0;
        }
        return lit;
    }

private:
    static std::string TempName(const std::string& what) {
        char pattern[64];
        std::snprintf(pattern, sizeof(pattern), "/tmp/glimmerax-%s-XXXXXX", what.c_str());
        const int fd = mkstemp(pattern);
        if (fd >= 0) {
            close(fd);
        }
        return pattern;
    }

    [[noreturn]] void Exec(const std::string& directory, const std::vector<std::string>& args) {
        if (chdir(directory.c_str()) != 0) {
            _exit(127);
        }
        GameProcess::UseQuietAudio();
        const int log = open(m_logPath.c_str(), O_WRONLY | O_TRUNC);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(log, STDERR_FILENO);
        dup2(devNull, STDOUT_FILENO);
        std::vector<char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }

    void Stop() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
            m_status = -1;
        }
    }

    pid_t m_pid = -1;
    int m_status = -1;
    std::string m_window;
    std::string m_logPath;
    std::string m_reportPath;
    std::string m_shotPath;
};

// Share of the start button's pixels (176 x 48 around its centre) that differ between two
// screenshots of the 1024-pixel-wide window.
double StartButtonChange(const std::string& before, const std::string& after) {
    int changed = 0;
    int total = 0;
    for (int y = START_Y - 24; y < START_Y + 24; ++y) {
        for (int x = START_X - 88; x < START_X + 88; ++x) {
            const size_t i = (static_cast<size_t>(y) * 1024 + x) * 3;
            if (i + 2 >= before.size() || i + 2 >= after.size()) {
                return 0.0;
            }
            ++total;
            changed += before.compare(i, 3, after, i, 3) != 0 ? 1 : 0;
        }
    }
    return static_cast<double>(changed) / total;
}

class ValgrindE2E : public ::testing::Test {
protected:
    void SetUp() override {
#if GLIMMERAX_ADDRESS_SANITIZER
        GTEST_SKIP() << "the game is built with AddressSanitizer, which valgrind cannot run";
#endif
        if (std::system("valgrind --version >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "valgrind is not installed";
        }
        // Keeps the X server from resetting between SDL's two connections at start-up.
        DisplayConnection::Hold();
    }

    // Starts the game under valgrind until its title shows.
    void StartGame() {
        m_game = std::make_unique<ValgrindGame>();
        ASSERT_TRUE(m_game->Start(std::string(GLIMMERAX_SOURCE_DIR) + "/data"));
        ASSERT_TRUE(m_game->WaitForFirstFrame()) << "the game drew no frame under valgrind\n"
                                                 << m_game->Log() << m_game->Report();
    }

    std::unique_ptr<ValgrindGame> m_game;
};

TEST_F(ValgrindE2E, DefaultGamePlaysWithoutMemoryErrorsOrLeaks) {
    ASSERT_NO_FATAL_FAILURE(StartGame());
    ValgrindGame& game = *m_game;

    const std::string title = game.Screenshot();
    game.Click(START_X, START_Y);
    EXPECT_TRUE(game.WaitForScreen(
        [&](const std::string& now) { return StartButtonChange(title, now) > 0.5; },
        FRAME_TIMEOUT_MS))
        << "the start button did not start the game";

    game.Xdotool("keydown Right keydown Up keydown space");
    GameProcess::Sleep(2000);
    game.Xdotool("key 3");
    GameProcess::Sleep(2000);
    game.Xdotool("keyup Right keyup Up");
    game.Xdotool("key m");
    game.Xdotool("key n");  // motion blur on: the frame ring and the accumulation buffer
    GameProcess::Sleep(3000);
    game.Xdotool("key n");  // and off again, which clears the frame ring
    GameProcess::Sleep(1000);
    game.Xdotool("keyup space");
    game.Xdotool("key Escape");

    const int status = game.WaitExit(EXIT_TIMEOUT_MS);
    const std::string report = game.Report();
    EXPECT_EQ(status, 1) << "99 is memcheck's status for errors found";
    EXPECT_EQ(ErrorCount(report), 0);
    EXPECT_EQ(LeakBytes(report, "definitely"), 0);
    EXPECT_EQ(LeakBytes(report, "indirectly"), 0);
    std::cout << SummaryLines(report);
    if (HasFailure()) {
        ADD_FAILURE() << "memcheck's report:\n" << report << "the game's log:\n" << game.Log();
    }
}

}  // namespace
