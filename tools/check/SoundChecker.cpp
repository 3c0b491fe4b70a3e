#include "tools/check/SoundChecker.h"

#include <tinyxml.h>

#include "audio/CSoundManager.h"
#include "audio/SDLMixer.h"

void CheckSoundSet(CheckContext& context, const std::string& path) {
    CSoundManager* sound = CSoundManager::GetInstance();
    sound->Start(std::make_unique<SDLMixer>(), path, 100);
    std::unique_ptr<TiXmlDocument> document;
    context.soundsLoaded =
        context.ReadLoadedSet(path, DataKind::SoundSet, "soundset", document) != nullptr;
    for (const SoundEntry& entry : sound->GetSet().Entries()) {
        if (entry.music) {
            context.musicTracks.insert(entry.name);
        }
    }
    sound->Shutdown();
}
