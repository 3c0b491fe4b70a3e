// Sound sets: the fuzzed bytes become a sound set file, read by the sound manager behind a
// mixer that plays nothing (loads of paths containing "x" fail, so both outcomes are met).
// Every cue then fires, every named sound is asked for as music, muting toggles twice, and
// the manager shuts down after each input.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzHome.h"
#include "audio/CSoundManager.h"
#include "core/XmlRead.h"

namespace {

const char* const kFile = "fuzz-input.xml";

class SilentMixer : public IMixer {
public:
    bool Open() override { return true; }
    void Close() override {}
    int LoadSample(const std::string& path) override { return Load(path); }
    int LoadMusic(const std::string& path) override { return Load(path); }
    void FreeSample(int) override {}
    void FreeMusic(int) override {}
    void PlaySample(int, int volume) override { Check(volume); }
    void PlayMusic(int, int volume) override { Check(volume); }
    void SetMusicVolume(int volume) override { Check(volume); }
    void PauseMusic(bool) override {}
    void StopMusic() override {}
    void StopSamples() override {}
    std::string LastError() const override { return "refused"; }

private:
    int Load(const std::string& path) {
        return path.find('x') == std::string::npos ? m_next++ : -1;
    }
    // A volume outside the mixer's scale is a fault of the manager.
    static void Check(int volume) {
        if (volume < 0 || volume > 128) {
            __builtin_trap();
        }
    }
    int m_next = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::HomeScope home;
    fuzz::WriteFile(kFile, data, size);
    CSoundManager* sound = CSoundManager::GetInstance();
    sound->Start(std::make_unique<SilentMixer>(), kFile, static_cast<int>(size % 120));
    for (int i = 0; i < kSoundCueCount; ++i) {
        sound->Cue(static_cast<SoundCue>(i));
    }
    TiXmlDocument document(kFile);
    if (xml::LoadFile(document)) {
        const TiXmlElement* set = xml::FindSetElement(document, "soundset");
        for (const char* kind : {"music", "sample"}) {
            xml::ForEachChild(set, kind, [sound](const TiXmlElement* element) {
                const char* name = xml::OptionalText(element, "name");
                sound->PlayMusic(name ? name : "");
            });
        }
    }
    sound->PlayMusic(sound->TitleMusic());
    sound->SetMusicPaused(true);
    sound->ToggleMute();
    sound->Cue(SoundCue::ShipFire);
    sound->ToggleMute();
    sound->Shutdown();
    return 0;
}
