#include "world/GameRecording.h"

#include "world/GameSession.h"
#include "world/LevelPlay.h"
#include "world/ReplayCodec.h"

void GameRecording::SetEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled) {
        m_recorder.Drop();
    }
}

void GameRecording::Begin(const LevelPlay& level) {
    // Only a game at normal is recorded: a replay plays the data's own numbers.
    if (m_enabled && level.Player() && level.GetDifficulty().IsNormal()) {
        m_recorder.Begin(level, kConfigFile);
    }
}

void GameRecording::End(const LevelPlay& level, const GameSession& session) {
    if (!m_recorder.IsRecording()) {
        return;
    }
    if (!level.InPlay() || !m_store) {
        m_recorder.Drop();
        return;
    }
    const std::vector<uint8_t> bytes = ReplayCodec::Encode(m_recorder.Finish(level));
    ReplayStore& store = *m_store;
    store.Write(store.LastPath(), bytes);
    m_bestRunKept = -1;
    const int rank = session.LastRank();
    const auto& entries = session.Scores().Entries();
    if (rank >= 0 && static_cast<size_t>(rank) < entries.size()) {
        store.KeepBest(bytes, entries[static_cast<size_t>(rank)].date, session.Scores());
    }
}

bool GameRecording::HasBestRun(const ScoreTable& table) {
    if (m_bestRunKept < 0) {
        m_bestRunKept = m_store && !m_store->BestRun(table).empty() ? 1 : 0;
    }
    return m_bestRunKept == 1;
}
