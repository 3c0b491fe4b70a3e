// The default game's sound, heard through SDL's disk audio driver, which writes the mixed
// stream (44.1 kHz, 16-bit stereo) to a file about as fast as a sound card would play it.
// The file's size at a moment marks where that moment lies in the recording. Then the game
// with a broken sound file and without any audio device: it plays, and says so in one line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

const std::string kDataDir = std::string(GLIMMERAX_SOURCE_DIR) + "/data";
// The title's start button, from the window's top-left corner.
constexpr int kStartX = 512;
constexpr int kStartY = 322;
constexpr long kBytesPerFrame = 4;

long FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void Replace(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = ReadFile(path);
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " not in " << path;
    WriteFile(path, text.replace(at, from.size(), to));
}

// Loudness of the recording between two byte offsets: RMS and peak of the 16-bit samples.
struct Loudness {
    double rms = 0.0;
    int peak = 0;
};

Loudness Measure(const std::string& recording, long from, long to) {
    Loudness result;
    from -= from % kBytesPerFrame;
    to = std::min<long>(to, static_cast<long>(recording.size()));
    double sum = 0.0;
    long count = 0;
    for (long i = from; i + 1 < to; i += 2) {
        const int value = static_cast<int16_t>(static_cast<uint8_t>(recording[i]) |
                                               (static_cast<uint8_t>(recording[i + 1]) << 8));
        sum += static_cast<double>(value) * value;
        result.peak = std::max(result.peak, std::abs(value));
        ++count;
    }
    result.rms = count ? std::sqrt(sum / count) : 0.0;
    return result;
}

int CountLines(const std::string& log, const std::string& text) {
    std::istringstream lines(log);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        count += line.find(text) != std::string::npos ? 1 : 0;
    }
    return count;
}

int ScorePixels(const GameProcess& game) {
    int count = 0;
    for (int y = 4; y < 44; ++y) {
        for (int x = 630; x < 900; ++x) {
            const Rgba p = game.Pixel(x, y);
            count += p.r > 200 && p.g > 200 && p.b > 200 ? 1 : 0;
        }
    }
    return count;
}

int ShotPixels(const GameProcess& game) {
    int count = 0;
    for (int y = 56; y < 400; ++y) {
        for (int x = 200; x < 1024; ++x) {
            const Rgba p = game.Pixel(x, y);
            count += p.r < 150 && p.g > 170 && p.b > 180 ? 1 : 0;
        }
    }
    return count;
}

// Sets the variables for the next Start only.
class AudioEnvironment {
public:
    explicit AudioEnvironment(const std::string& driver, const std::string& file = "") {
        setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
        if (!file.empty()) {
            setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
            // Milliseconds between buffers of 1024 frames (23 ms of sound): about real time.
            setenv("SDL_DISKAUDIODELAY", "20", 1);
        }
    }
    ~AudioEnvironment() {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_DISKAUDIODELAY");
    }
};

// Starts the game, clicks Start, picks the spread weapon and holds fire for ms.
void StartAndFire(GameProcess& game, const std::string& directory, int ms) {
    ASSERT_TRUE(game.Start(directory));
    ASSERT_TRUE(game.WaitForWindow());
    GameProcess::Sleep(800);
    game.Click(kStartX, kStartY);
    game.MoveMouse(600, 300);
    GameProcess::Sleep(500);
    game.Key("3");
    game.KeyDown("space");
    GameProcess::Sleep(ms);
}

}  // namespace

TEST(SoundE2E, ShotsAndExplosionsAreHeardAndNothingWhileMuted) {
    // The default game without its music tracks, so that only the effects are heard.
    TempDir dir;
    dir.CopyFrom(kDataDir);
    ASSERT_NO_FATAL_FAILURE(Replace(dir.Path() + "/levels/level1.xml", " music=\"ember\"", ""));
    ASSERT_NO_FATAL_FAILURE(Replace(dir.Path() + "/sets/sounds.xml",
                                    "<cue event=\"titlemusic\" sound=\"title\"/>", ""));
    const std::string recording = dir.Path() + "/recording.raw";
    AudioEnvironment audio("disk", recording);
    GameProcess game;
    ASSERT_TRUE(game.Start(dir.Path()));
    ASSERT_TRUE(game.WaitForWindow());
    GameProcess::Sleep(800);
    game.Click(kStartX, kStartY);
    game.MoveMouse(600, 300);
    GameProcess::Sleep(600);
    ASSERT_TRUE(game.Screenshot());
    const int scoreAtStart = ScorePixels(game);

    // Playing without firing, before the first enemy comes: nothing to hear.
    const long quietFrom = FileSize(recording);
    GameProcess::Sleep(800);
    const long quietTo = FileSize(recording);

    game.Key("3");
    game.KeyDown("space");
    GameProcess::Sleep(200);
    const long fireFrom = FileSize(recording);
    // Firing until the score changes: points come only from enemies shot down. The explosion
    // sounds for half a second after that.
    const bool scored = game.WaitForScreen(
        [&game, scoreAtStart] { return ScorePixels(game) != scoreAtStart; }, 12000);
    GameProcess::Sleep(500);
    const long fireTo = FileSize(recording);

    // Muted while still firing and meeting enemies.
    game.Key("v");
    GameProcess::Sleep(300);
    const long muteFrom = FileSize(recording);
    GameProcess::Sleep(1500);
    const long muteTo = FileSize(recording);
    game.KeyUp("space");
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);

    const std::string sound = ReadFile(recording);
    const Loudness quiet = Measure(sound, quietFrom, quietTo);
    const Loudness firing = Measure(sound, fireFrom, fireTo);
    const Loudness muted = Measure(sound, muteFrom, muteTo);
    std::cout << "recording: " << sound.size() / kBytesPerFrame / 44100.0
              << " s; RMS (peak): quiet " << quiet.rms << " (" << quiet.peak << "), firing "
              << firing.rms << " (" << firing.peak << "), muted " << muted.rms << " (" << muted.peak
              << ")\n";
    EXPECT_GT(quietTo - quietFrom, 44100 * kBytesPerFrame / 2) << "the recording did not advance";
    EXPECT_GT(muteTo - muteFrom, 44100 * kBytesPerFrame) << "the recording did not advance";
    EXPECT_LT(quiet.rms, 30.0);
    EXPECT_GT(firing.rms, 1000.0);
    EXPECT_GT(firing.peak, 8000);
    EXPECT_EQ(muted.peak, 0);
    EXPECT_TRUE(scored) << "no enemy was destroyed while firing";
    EXPECT_EQ(CountLines(game.Log(), "CSound"), 0) << game.Log();
}

TEST(SoundE2E, ATruncatedSoundFileIsOneLineAndTheGamePlaysOn) {
    TempDir dir;
    dir.CopyFrom(kDataDir);
    const std::string laser = dir.Path() + "/sounds/laser.wav";
    WriteFile(laser, ReadFile(laser).substr(0, 1000));
    GameProcess game;
    ASSERT_NO_FATAL_FAILURE(StartAndFire(game, dir.Path(), 1500));
    ASSERT_TRUE(game.Screenshot());
    EXPECT_GT(ShotPixels(game), 20) << "no shot was fired";
    game.KeyUp("space");
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
    const std::string log = game.Log();
    EXPECT_EQ(CountLines(log, "CSound"), 1) << log;
    EXPECT_EQ(CountLines(log, "CSound: Cannot load sound \"laser\" from sounds/laser.wav"), 1)
        << log;
}

TEST(SoundE2E, WithoutAnAudioDeviceTheGamePlaysSilentlyAfterOneLine) {
    AudioEnvironment audio("nonexistent");
    GameProcess game;
    ASSERT_NO_FATAL_FAILURE(StartAndFire(game, kDataDir, 1500));
    ASSERT_TRUE(game.Screenshot());
    EXPECT_GT(ShotPixels(game), 20) << "no shot was fired";
    game.Key("v");
    game.KeyUp("space");
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
    const std::string log = game.Log();
    EXPECT_EQ(CountLines(log, "CSound"), 1) << log;
    EXPECT_EQ(CountLines(log, "CSound: No audio device ("), 1) << log;
}
