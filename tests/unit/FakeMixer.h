#pragma once
// A mixer that plays nothing and records every call as text, for the sound tests:
//   "sample <file> <volume>", "music <file> <volume>", "musicvolume <v>", "pause", "resume",
//   "stopmusic", "stopsamples", "free <file>".
// Files whose path contains "broken" fail to load; Open fails when told to.

#include <memory>
#include <string>
#include <vector>

#include "audio/IMixer.h"

struct FakeMixerLog {
    bool opened = false;
    bool closed = false;
    std::vector<std::string> loads;
    std::vector<std::string> calls;

    // How many recorded calls start with prefix.
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& call : calls) {
            n += call.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return n;
    }
};

class FakeMixer : public IMixer {
public:
    // The log outlives the mixer, which the sound manager owns and deletes.
    explicit FakeMixer(FakeMixerLog& log, bool hasDevice = true)
        : m_log(log), m_hasDevice(hasDevice) {}

    static std::unique_ptr<IMixer> Make(FakeMixerLog& log, bool hasDevice = true) {
        return std::make_unique<FakeMixer>(log, hasDevice);
    }

    bool Open() override {
        m_log.opened = m_hasDevice;
        return m_hasDevice;
    }
    void Close() override { m_log.closed = true; }
    int LoadSample(const std::string& path) override { return Load(path); }
    int LoadMusic(const std::string& path) override { return Load(path); }
    void FreeSample(int sample) override { m_log.calls.push_back("free " + File(sample)); }
    void FreeMusic(int music) override { m_log.calls.push_back("free " + File(music)); }
    void PlaySample(int sample, int volume) override {
        m_log.calls.push_back("sample " + File(sample) + " " + std::to_string(volume));
    }
    void PlayMusic(int music, int volume) override {
        m_log.calls.push_back("music " + File(music) + " " + std::to_string(volume));
    }
    void SetMusicVolume(int volume) override {
        m_log.calls.push_back("musicvolume " + std::to_string(volume));
    }
    void PauseMusic(bool paused) override { m_log.calls.push_back(paused ? "pause" : "resume"); }
    void StopMusic() override { m_log.calls.push_back("stopmusic"); }
    void StopSamples() override { m_log.calls.push_back("stopsamples"); }
    std::string LastError() const override { return m_hasDevice ? "bad file" : "no device"; }

private:
    int Load(const std::string& path) {
        m_log.loads.push_back(path);
        if (path.find("broken") != std::string::npos) {
            return -1;
        }
        m_files.push_back(path);
        return static_cast<int>(m_files.size()) - 1;
    }
    std::string File(int handle) const {
        return handle >= 0 && handle < static_cast<int>(m_files.size()) ? m_files[handle] : "?";
    }

    FakeMixerLog& m_log;
    bool m_hasDevice;
    std::vector<std::string> m_files;
};
