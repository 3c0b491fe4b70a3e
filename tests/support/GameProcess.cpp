#include "support/GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/DisplayConnection.h"

namespace {

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

GameProcess::GameProcess() {
    DisplayConnection::Hold();
}

GameProcess::~GameProcess() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (!m_logPath.empty()) {
        std::remove(m_logPath.c_str());
    }
}

std::string GameProcess::RunCapture(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return output;
    }
    char buffer[256];
    while (fgets(buffer, sizeof(buffer), pipe)) {
        output += buffer;
    }
    pclose(pipe);
    return output;
}

void GameProcess::Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void GameProcess::UseQuietAudio() {
    if (!getenv("SDL_AUDIODRIVER")) {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
}

bool GameProcess::Start(const std::string& directory) {
    char pattern[] = "/tmp/glimmerax-log-XXXXXX";
    const int logFd = mkstemp(pattern);
    if (logFd < 0) {
        return false;
    }
    m_logPath = pattern;
    std::map<std::string, std::string> environment = m_environment;
    environment.emplace("XDG_DATA_HOME", m_dataHome.Path());
    environment.emplace("XDG_CONFIG_HOME", m_dataHome.Path() + "/config");
    std::vector<char*> argv{const_cast<char*>(GLIMMERAX_BINARY)};
    for (std::string& argument : m_arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    m_pid = fork();
    if (m_pid == 0) {
        if (chdir(directory.c_str()) != 0) {
            _exit(127);
        }
        for (const auto& variable : environment) {
            setenv(variable.first.c_str(), variable.second.c_str(), 1);
        }
        dup2(logFd, STDERR_FILENO);
        UseQuietAudio();
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        execv(GLIMMERAX_BINARY, argv.data());
        _exit(127);
    }
    close(logFd);
    return m_pid > 0;
}

void GameProcess::SetEnvironment(const std::string& name, const std::string& value) {
    m_environment[name] = value;
}

bool GameProcess::WaitForWindow(int timeoutMs) {
    const long long end = NowMs() + timeoutMs;
    while (NowMs() < end && Running()) {
        std::istringstream ids(RunCapture("xdotool search --name '^Glimmerax$' 2>/dev/null"));
        std::string id;
        if (ids >> id) {
            m_window = id;
            Xdotool("windowfocus --sync " + m_window);
            Sleep(200);
            return true;
        }
        Sleep(100);
    }
    return false;
}

bool GameProcess::WaitForLog(const std::string& text, int timeoutMs) const {
    const long long end = NowMs() + timeoutMs;
    while (NowMs() < end) {
        if (Log().find(text) != std::string::npos) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

void GameProcess::Xdotool(const std::string& arguments) const {
    const std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        // A failed xdotool call shows up as a missing effect in the test that made it.
    }
}

void GameProcess::Key(const std::string& name) {
    KeyDown(name);
    Sleep(80);
    KeyUp(name);
}

void GameProcess::KeyDown(const std::string& name) {
    Xdotool("keydown " + name);
}

void GameProcess::KeyUp(const std::string& name) {
    Xdotool("keyup " + name);
}

void GameProcess::MoveMouse(int x, int y) {
    Xdotool("mousemove --window " + m_window + " " + std::to_string(x) + " " + std::to_string(y));
}

void GameProcess::Click(int x, int y) {
    MoveMouse(x, y);
    Sleep(80);
    Xdotool("mousedown 1");
    Sleep(80);
    Xdotool("mouseup 1");
}

void GameProcess::Resize(int width, int height) {
    Xdotool("windowsize " + m_window + " " + std::to_string(width) + " " +
            std::to_string(height));
}

bool GameProcess::Screenshot() {
    const std::string geometry = RunCapture("xdotool getwindowgeometry " + m_window);
    const size_t at = geometry.find("Geometry: ");
    if (at == std::string::npos ||
        std::sscanf(geometry.c_str() + at, "Geometry: %dx%d", &m_width, &m_height) != 2) {
        return false;
    }
    const std::string raw = m_logPath + ".rgb";
    const std::string command =
        "import -window " + m_window + " -depth 8 rgb:" + raw + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    std::ifstream in(raw, std::ios::binary);
    m_pixels.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(raw.c_str());
    return m_pixels.size() == static_cast<size_t>(m_width) * m_height * 3;
}

bool GameProcess::WaitForScreen(const std::function<bool()>& shown, int timeoutMs) {
    const long long end = NowMs() + timeoutMs;
    for (;;) {
        if (Screenshot() && shown()) {
            return true;
        }
        if (NowMs() >= end) {
            return false;
        }
        Sleep(100);
    }
}

Rgba GameProcess::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_pixels.empty()) {
        return Rgba{0, 0, 0, 0};
    }
    const size_t i = (static_cast<size_t>(y) * m_width + x) * 3;
    return Rgba{m_pixels[i], m_pixels[i + 1], m_pixels[i + 2], 255};
}

int GameProcess::CountLit(int x0, int y0, int x1, int y1) const {
    int lit = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Rgba p = Pixel(x, y);
            if (p.r > 8 || p.g > 8 || p.b > 8) {
                ++lit;
            }
        }
    }
    return lit;
}

void GameProcess::SaveScreenshot(const std::string& path) const {
    const std::string raw = path + ".rgb";
    std::ofstream(raw, std::ios::binary)
        .write(reinterpret_cast<const char*>(m_pixels.data()),
               static_cast<std::streamsize>(m_pixels.size()));
    const std::string command = "convert -size " + std::to_string(m_width) + "x" +
                                std::to_string(m_height) + " -depth 8 rgb:" + raw + " " + path +
                                " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        // Saving is a courtesy for people; a failure changes no test result.
    }
    std::remove(raw.c_str());
}

bool GameProcess::Running() {
    if (m_pid <= 0) {
        return false;
    }
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m_pid = -1;
        return false;
    }
    return true;
}

int GameProcess::WaitExit(int timeoutMs) {
    const long long end = NowMs() + timeoutMs;
    while (Running()) {
        if (NowMs() >= end) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
            return -1;
        }
        Sleep(50);
    }
    return m_exitStatus;
}

std::string GameProcess::Log() const {
    std::ifstream in(m_logPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
