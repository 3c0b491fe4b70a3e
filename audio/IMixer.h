#pragma once
// What the game asks of an audio mixer: open the device, load sounds, start and stop them.
// Every call returns at once; the mixing itself runs elsewhere (SDL's audio thread). The real
// one is SDLMixer; tests put a recording fake behind this interface.
//
// Volumes are 0..128 (the mixer's full scale). Handles are small integers >= 0 handed out by
// the Load calls; -1 stands for "not loaded" and is ignored by every call that takes one.

#include <string>

class IMixer {
public:
    virtual ~IMixer() = default;

    // Opens the audio device; false (with LastError) when there is none.
    virtual bool Open() = 0;
    // Stops everything, frees every loaded sound and closes the device.
    virtual void Close() = 0;
    // Loads a whole effect into memory; -1 (with LastError) when the file is missing or is
    // not a sound the mixer can read.
    virtual int LoadSample(const std::string& path) = 0;
    // Opens a music track for streaming; -1 (with LastError) as for samples.
    virtual int LoadMusic(const std::string& path) = 0;
    // Frees one loaded sample or track, stopping it where it plays (a sound set read again
    // while the game runs); its handle is not handed out again.
    virtual void FreeSample(int sample) = 0;
    virtual void FreeMusic(int music) = 0;
    // Plays a sample once on a free channel; nothing when every channel is busy.
    virtual void PlaySample(int sample, int volume) = 0;
    // Plays a track in a loop, replacing the one playing.
    virtual void PlayMusic(int music, int volume) = 0;
    virtual void SetMusicVolume(int volume) = 0;
    virtual void PauseMusic(bool paused) = 0;
    virtual void StopMusic() = 0;
    // Stops every sample playing.
    virtual void StopSamples() = 0;
    // Text of the last failure.
    virtual std::string LastError() const = 0;
};
