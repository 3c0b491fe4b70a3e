// A campaign's progress: the level in play, the next one and the wait between them.
#include "world/Campaign.h"

#include <algorithm>

#include "game/ConfigFiles.h"

namespace {

const std::string kNone;

}  // namespace

void Campaign::Read(const TiXmlElement* config) {
    m_files = CampaignLevels(config);
    m_layer = CampaignLayer(config);
    Restart();
}

const std::string& Campaign::FirstLevel() const {
    return m_files.empty() ? kNone : m_files.front();
}

const std::string& Campaign::File() const {
    return m_files.empty() ? kNone : m_files[m_index];
}

const std::string& Campaign::NextFile() const {
    return HasNext() ? m_files[m_index + 1] : kNone;
}

void Campaign::Stop() {
    m_end = m_index + 1;
    m_waiting = false;
}

void Campaign::BeginWait(uint32_t now, const std::string& playLayer) {
    m_waiting = true;
    m_waitStart = now;
    m_playLayer = playLayer;
}

bool Campaign::WaitOver(uint32_t now) const {
    return m_waiting && now - m_waitStart >= kWaitMs;
}

void Campaign::Advance() {
    if (HasNext()) {
        ++m_index;
    }
    m_waiting = false;
}

void Campaign::Restart() {
    m_index = 0;
    m_end = m_files.size();
    m_waiting = false;
}

void Campaign::StartAt(size_t number) {
    Restart();
    if (number > 1 && !m_files.empty()) {
        m_index = std::min(number, m_files.size()) - 1;
    }
}
