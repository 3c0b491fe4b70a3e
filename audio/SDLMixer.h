#pragma once
// The mixer on SDL_mixer 1.2: 44.1 kHz 16-bit stereo, a 1024-frame buffer (23 ms, so a shot
// is heard within about two buffers) and 16 channels. Samples are decoded into memory at load
// time; music streams from its file.

#include <vector>

#include "audio/IMixer.h"

struct Mix_Chunk;
struct _Mix_Music;

class SDLMixer : public IMixer {
public:
    ~SDLMixer() override;

    bool Open() override;
    void Close() override;
    int LoadSample(const std::string& path) override;
    int LoadMusic(const std::string& path) override;
    void FreeSample(int sample) override;
    void FreeMusic(int music) override;
    void PlaySample(int sample, int volume) override;
    void PlayMusic(int music, int volume) override;
    void SetMusicVolume(int volume) override;
    void PauseMusic(bool paused) override;
    void StopMusic() override;
    void StopSamples() override;
    std::string LastError() const override { return m_error; }

private:
    bool m_open = false;
    std::string m_error;
    std::vector<Mix_Chunk*> m_samples;
    std::vector<_Mix_Music*> m_music;
};
