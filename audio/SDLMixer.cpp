#include "audio/SDLMixer.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include "core/DataLayers.h"

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;
constexpr int kMixChannels = 16;

template <typename T>
bool Holds(const std::vector<T*>& list, int handle) {
    return handle >= 0 && handle < static_cast<int>(list.size()) && list[handle];
}

}  // namespace

SDLMixer::~SDLMixer() {
    Close();
}

bool SDLMixer::Open() {
    if (m_open) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        m_error = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferFrames) < 0) {
        m_error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kMixChannels);
    m_open = true;
    return true;
}

void SDLMixer::Close() {
    if (!m_open) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (Mix_Chunk* sample : m_samples) {
        Mix_FreeChunk(sample);
    }
    for (Mix_Music* music : m_music) {
        Mix_FreeMusic(music);
    }
    m_samples.clear();
    m_music.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
}

int SDLMixer::LoadSample(const std::string& path) {
    if (!m_open) {
        m_error = "no audio device";
        return -1;
    }
    Mix_Chunk* sample = Mix_LoadWAV(DataLayers::Active().Resolve(path).c_str());
    if (!sample) {
        m_error = Mix_GetError();
        return -1;
    }
    m_samples.push_back(sample);
    return static_cast<int>(m_samples.size()) - 1;
}

int SDLMixer::LoadMusic(const std::string& path) {
    if (!m_open) {
        m_error = "no audio device";
        return -1;
    }
    Mix_Music* music = Mix_LoadMUS(DataLayers::Active().Resolve(path).c_str());
    if (!music) {
        m_error = Mix_GetError();
        return -1;
    }
    m_music.push_back(music);
    return static_cast<int>(m_music.size()) - 1;
}

void SDLMixer::FreeSample(int sample) {
    if (Holds(m_samples, sample)) {
        // SDL_mixer halts the channels playing it first. The slot stays empty: handles are
        // indices.
        Mix_FreeChunk(m_samples[sample]);
        m_samples[sample] = nullptr;
    }
}

void SDLMixer::FreeMusic(int music) {
    if (Holds(m_music, music)) {
        // SDL_mixer halts the track first when it is the one playing.
        Mix_FreeMusic(m_music[music]);
        m_music[music] = nullptr;
    }
}

void SDLMixer::PlaySample(int sample, int volume) {
    if (!Holds(m_samples, sample)) {
        return;
    }
#ifdef __EMSCRIPTEN__
    // The browser's SDL_mixer has no volume per sample: the channel's is set as it starts,
    // before the browser plays a sound of it.
    const int channel = Mix_PlayChannel(-1, m_samples[sample], 0);
    if (channel >= 0) {
        Mix_Volume(channel, volume);
    }
#else
    // The volume goes with the sample, so the channel starts at it from its first buffer.
    Mix_VolumeChunk(m_samples[sample], volume);
    Mix_PlayChannel(-1, m_samples[sample], 0);
#endif
}

void SDLMixer::PlayMusic(int music, int volume) {
    if (!Holds(m_music, music)) {
        return;
    }
    Mix_VolumeMusic(volume);
    Mix_PlayMusic(m_music[music], -1);
}

void SDLMixer::SetMusicVolume(int volume) {
    if (m_open) {
        Mix_VolumeMusic(volume);
    }
}

void SDLMixer::PauseMusic(bool paused) {
    if (!m_open) {
        return;
    }
    if (paused) {
        Mix_PauseMusic();
    } else {
        Mix_ResumeMusic();
    }
}

void SDLMixer::StopMusic() {
    if (m_open) {
        Mix_HaltMusic();
    }
}

void SDLMixer::StopSamples() {
    if (m_open) {
        Mix_HaltChannel(-1);
    }
}
