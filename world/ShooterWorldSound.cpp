// Sound: the sound set named by the configuration, and the music that fits the game's state.
// Nothing here touches a game rule.
#include "world/ShooterWorld.h"

#include <tinyxml.h>

#include <memory>

#include "audio/CSoundManager.h"
#include "audio/SDLMixer.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "game/ConfigFiles.h"

void ShooterWorld::StartSound(const TiXmlElement* config) {
    const std::string path = FirstConfigFile(config, "soundsetfile");
    if (path.empty()) {
        return;
    }
    int volume = 100;
    const char* text = xml::OptionalText(config, "volume");
    if (text && (!xml::ReadInt(config, "volume", volume) || volume < 0 || volume > 100)) {
        LogMessage("CEngine: Attribute volume=\"%s\" of <config> is not 0 to 100; 100 is used\n",
                   text);
        volume = 100;
    }
    CSoundManager::GetInstance()->Start(std::make_unique<SDLMixer>(), path, volume);
}

void ShooterWorld::UpdateMusic() {
    CSoundManager* sound = CSoundManager::GetInstance();
    if (!sound->IsStarted()) {
        return;
    }
    // The level clock starts at the first update of play.
    const bool started = m_player && m_levelStart != 0;
    if (!started) {
        sound->PlayMusic(sound->TitleMusic());
        return;
    }
    sound->PlayMusic(m_endingCued ? std::string() : m_levelMusic);
    sound->SetMusicPaused(m_paused);
}
