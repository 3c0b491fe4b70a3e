// Start-up time of the real game binary, from the moment it is started in data/ to its first
// frame on the display, against a baseline program that only opens an empty SDL OpenGL window
// of the same size and decodes the default game's PNGs with libpng (StartupBaseline.cpp).
//
// Signal of the first frame: both programs run with FirstFrameProbe preloaded, which lets the
// first SDL_GL_SwapBuffers finish, writes the monotonic clock to a pipe and ends the process.
// The time counted runs from just before the fork to that clock reading: process creation,
// dynamic loading, the whole Init and the first update and frame of the game. Each iteration
// starts the game once and the baseline once, so their ratio is taken under the same load.
// Run under xvfb-run; the programs inherit DISPLAY. The benchmark keeps its own connection to
// the display open throughout: an X server whose last client leaves resets itself and refuses
// connections meanwhile, which would fail or slow down the next start.
//
// A second benchmark decodes the same PNG files in this process, with the game's decoder and
// with libpng, on the thread's CPU clock: the share of the start-up that decoding takes.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PngReference.h"
#include "resources/LoadPngImage.h"

namespace {

// A program that shows no frame within this time counts as failed.
constexpr int kTimeoutMs = 60000;
// A start that fails (a busy display may refuse a connection) is tried again this often.
constexpr int kAttempts = 3;

int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

[[noreturn]] void ExecWithProbe(const char* program, int fd) {
    if (chdir(GLIMMERAX_DATA) != 0) {
        _exit(126);
    }
    setenv("LD_PRELOAD", GLIMMERAX_PROBE, 1);
    setenv("GLIMMERAX_FIRST_FRAME_FD", std::to_string(fd).c_str(), 1);
    // The game logs every loaded item on standard error; the log is not measured.
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDERR_FILENO);
        dup2(null, STDOUT_FILENO);
    }
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
}

// Seconds from the fork to the program's first swap, or a negative value when it showed no
// frame (it failed, or ran past the timeout and was killed).
double TimeToFirstFrame(const char* program) {
    int fds[2];
    if (pipe(fds) != 0) {
        return -1.0;
    }
    const int64_t start = MonotonicNs();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        ExecWithProbe(program, fds[1]);
    }
    close(fds[1]);
    int64_t firstFrame = 0;
    pollfd ready{fds[0], POLLIN, 0};
    const bool answered = child > 0 && poll(&ready, 1, kTimeoutMs) == 1 &&
                          read(fds[0], &firstFrame, sizeof firstFrame) == sizeof firstFrame;
    close(fds[0]);
    if (child > 0) {
        if (!answered) {
            kill(child, SIGKILL);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            return -1.0;
        }
    }
    return answered ? double(firstFrame - start) * 1e-9 : -1.0;
}

// Starts that failed before one succeeded; reported, since they hint at a troubled display.
int g_retries = 0;

double Attempt(const char* program) {
    double seconds = TimeToFirstFrame(program);
    for (int i = 1; i < kAttempts && seconds < 0.0; ++i) {
        ++g_retries;
        seconds = TimeToFirstFrame(program);
    }
    return seconds;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    double gameSeconds = 0.0, baselineSeconds = 0.0;
    for (auto _ : state) {
        const double game = Attempt(GLIMMERAX_GAME);
        const double baseline = Attempt(GLIMMERAX_BASELINE);
        if (game < 0.0 || baseline < 0.0) {
            state.SkipWithError(game < 0.0 ? "the game showed no frame"
                                           : "the baseline showed no frame");
            return;
        }
        gameSeconds += game;
        baselineSeconds += baseline;
        state.SetIterationTime(game);
    }
    const double runs = double(state.iterations());
    state.counters["game_ms"] = gameSeconds / runs * 1e3;
    state.counters["baseline_ms"] = baselineSeconds / runs * 1e3;
    state.counters["vs_baseline"] = gameSeconds / baselineSeconds;
    state.counters["retries"] = g_retries;
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The PNG files the default game reads: its icon and every sprite sheet.
std::vector<std::string> GamePngs() {
    const std::string data = GLIMMERAX_DATA;
    std::vector<std::string> files{data + "/icon.png"};
    if (DIR* dir = opendir((data + "/images").c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) {
                files.push_back(data + "/images/" + name);
            }
        }
        closedir(dir);
    }
    return files;
}

// Reads and decodes every file of the game, once with the game's decoder and once with
// libpng; the reported time is the game's.
void BM_DecodeGamePngs(benchmark::State& state) {
    const std::vector<std::string> files = GamePngs();
    double oursSeconds = 0.0, libpngSeconds = 0.0;
    size_t rgbaBytes = 0;
    for (auto _ : state) {
        const double t0 = CpuSeconds();
        rgbaBytes = 0;
        for (const std::string& file : files) {
            std::vector<unsigned char> pixels;
            int width = 0, height = 0;
            LoadPngImage(file, pixels, width, height);
            rgbaBytes += pixels.size();
        }
        const double t1 = CpuSeconds();
        for (const std::string& file : files) {
            pngref::Bytes rgba;
            uint32_t width = 0, height = 0;
            pngref::LibpngDecode(pngref::ReadFile(file), rgba, width, height);
            benchmark::DoNotOptimize(rgba.data());
        }
        const double t2 = CpuSeconds();
        oursSeconds += t1 - t0;
        libpngSeconds += t2 - t1;
        state.SetIterationTime(t1 - t0);
    }
    const double runs = double(state.iterations());
    state.counters["files"] = double(files.size());
    state.counters["rgba_MB"] = double(rgbaBytes) / 1e6;
    state.counters["ours_ms"] = oursSeconds / runs * 1e3;
    state.counters["libpng_ms"] = libpngSeconds / runs * 1e3;
    state.counters["vs_libpng"] = oursSeconds / libpngSeconds;
}

}  // namespace

BENCHMARK(BM_DecodeGamePngs)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupToFirstFrame)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Display* display = XOpenDisplay(nullptr);
    benchmark::RunSpecifiedBenchmarks();
    if (display) {
        XCloseDisplay(display);
    }
    return 0;
}
