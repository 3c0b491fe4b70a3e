// Sounds the game cannot play are checker errors in the game's words, and sounds it can play
// are clean: WAV files of several encodings, written byte by byte, are loaded by the game's
// sound code (SDL_mixer behind SDLMixer, on SDL's silent driver) and checked by
// glimmerax-check, and both report the same problems.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CheckToolRun.h"
#include "GameLoaderRun.h"
#include "support/TempDir.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, uint16_t value) {
    out.push_back(value & 0xff);
    out.push_back(value >> 8);
}

void Put32(Bytes& out, uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

void PutTag(Bytes& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

// A RIFF WAVE file of the format chunk fmt (from the format tag on) and the sample data.
// declaredData is the size the data chunk claims (a cut file claims more than it holds).
Bytes Wave(const Bytes& fmt, const Bytes& data, uint32_t declaredData) {
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, static_cast<uint32_t>(4 + 8 + fmt.size() + 8 + declaredData));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, static_cast<uint32_t>(fmt.size()));
    out.insert(out.end(), fmt.begin(), fmt.end());
    PutTag(out, "data");
    Put32(out, declaredData);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// The common start of a format chunk.
Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign, uint16_t bits) {
    Bytes fmt;
    Put16(fmt, tag);
    Put16(fmt, channels);
    Put32(fmt, rate);
    Put32(fmt, rate * blockAlign);
    Put16(fmt, blockAlign);
    Put16(fmt, bits);
    return fmt;
}

Bytes Pcm8Mono() {
    return Wave(Format(1, 1, 22050, 1, 8), Bytes(2205, 0x80), 2205);
}

// 24-bit samples in a WAVE_FORMAT_EXTENSIBLE header (sub-format PCM).
Bytes Pcm24Extensible() {
    Bytes fmt = Format(0xfffe, 1, 44100, 3, 24);
    Put16(fmt, 22);  // size of the extension
    Put16(fmt, 24);  // valid bits per sample
    Put32(fmt, 4);   // channel mask: front centre
    const uint8_t pcm[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                             0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
    fmt.insert(fmt.end(), pcm, pcm + 16);
    return Wave(fmt, Bytes(300, 0), 300);
}

// Microsoft ADPCM, mono, two blocks of 256 bytes with the seven standard coefficient pairs.
Bytes MsAdpcm() {
    constexpr uint16_t kBlock = 256;
    Bytes fmt = Format(2, 1, 22050, kBlock, 4);
    const int16_t coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                        {240, 0}, {460, -208}, {392, -232}};
    Put16(fmt, 4 + 7 * 4);             // size of the extension
    Put16(fmt, (kBlock - 7) * 2 + 2);  // samples per block
    Put16(fmt, 7);                     // coefficient pairs
    for (const auto& pair : coefficients) {
        Put16(fmt, static_cast<uint16_t>(pair[0]));
        Put16(fmt, static_cast<uint16_t>(pair[1]));
    }
    Bytes data;
    for (int block = 0; block < 2; ++block) {
        data.push_back(0);  // predictor
        Put16(data, 16);    // initial delta
        Put16(data, 0);     // second sample
        Put16(data, 0);     // first sample
        data.resize(data.size() + kBlock - 7, 0x00);
    }
    return Wave(fmt, data, static_cast<uint32_t>(data.size()));
}

// 16-bit PCM whose data chunk claims 20000 bytes but the file ends after 100.
Bytes CutPcm16() {
    return Wave(Format(1, 1, 22050, 2, 16), Bytes(100, 0), 20000);
}

struct SoundFile {
    const char* name;
    Bytes (*make)();
    bool playable;  // whether the game loads it
};

void PrintTo(const SoundFile& sound, std::ostream* out) {
    *out << sound.name;
}

const SoundFile kSounds[] = {
    {"Pcm24Extensible", Pcm24Extensible, false},
    {"MsAdpcm", MsAdpcm, true},
    {"Pcm8Mono", Pcm8Mono, true},
    {"CutPcm16", CutPcm16, false},
};

class CheckSoundAgreementTest : public ::testing::TestWithParam<SoundFile> {};

TEST_P(CheckSoundAgreementTest, GameAndCheckerAgreeOnTheSound) {
    const SoundFile& sound = GetParam();
    TempDir data;
    data.Write("config.xml",
               "<config gameoverlayer=\"o\" gamecompletelayer=\"c\"><guicfg/>"
               "<soundsetfile>sounds.xml</soundsetfile><explosioncfg/></config>");
    data.Write("sounds.xml",
               "<soundset basedir=\"sounds\">\n<sample name=\"laser\">laser.wav</sample>\n"
               "</soundset>\n");
    const Bytes bytes = sound.make();
    data.Write("sounds/laser.wav", std::string(bytes.begin(), bytes.end()));
    data.Enter();

    const std::set<Problem> game = GameLoaderProblems();
    const CheckRun run = RunCheck("--json " + data.Path() + " 2>/dev/null");
    const std::set<Problem> checker = CheckerGameProblems(run.out);

    EXPECT_EQ(game, checker) << run.out;
    // The configuration's own problems (no explosions, no layers) are not the sound's.
    std::vector<Problem> ofSounds;
    for (const Problem& problem : game) {
        if (problem.file == "sounds.xml") {
            ofSounds.push_back(problem);
        }
    }
    if (sound.playable) {
        EXPECT_TRUE(ofSounds.empty()) << ofSounds.front().text;
        return;
    }
    ASSERT_EQ(ofSounds.size(), 1u);
    const Problem& problem = ofSounds.front();
    EXPECT_EQ(problem.file, "sounds.xml");
    EXPECT_EQ(problem.line, 2);
    EXPECT_EQ(problem.text.rfind("CSound: Cannot load sound \"laser\" from sounds/laser.wav (", 0),
              0u)
        << problem.text;
    EXPECT_EQ(run.status, 1);
}

INSTANTIATE_TEST_SUITE_P(Wave, CheckSoundAgreementTest, ::testing::ValuesIn(kSounds),
                         [](const ::testing::TestParamInfo<SoundFile>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
