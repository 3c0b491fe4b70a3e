#include "world/ReplayRecorder.h"

#include <cstring>
#include <vector>

#include "core/Version.h"
#include "world/CheckpointDigest.h"
#include "world/LevelPlay.h"
#include "world/ReplayCodec.h"
#include "world/ReplayStore.h"

namespace {

// An update that neither stepped nor carried commands: only the interface saw its time step.
bool IsIdle(const ReplayUpdate& update) {
    return !update.stepped && update.commands.empty();
}

}  // namespace

bool ReplayRecorder::DescribeFile(const std::string& name, ReplayDataFile& file) {
    std::vector<uint8_t> bytes;
    file.name = name;
    if (!ReplayStore::ReadWhole(name, bytes)) {
        return false;
    }
    file.hash = ReplayCodec::Hash64(bytes.data(), bytes.size());
    file.size = static_cast<uint32_t>(bytes.size());
    return true;
}

void ReplayRecorder::Begin(const LevelPlay& level, const std::string& configFile) {
    m_clock.Stop();
    m_replay = Replay();
    m_replay.gameVersion = glimmerax::Version();
    for (const std::string& name : {configFile, level.File()}) {
        ReplayDataFile file;
        if (!name.empty()) {
            DescribeFile(name, file);
            m_replay.data.push_back(file);
        }
    }
    m_replay.lastFireTime = level.LastFireTime();
    m_pending = ReplayUpdate();
    m_updates = 0;
    m_recording = true;
}

void ReplayRecorder::NoteCommand(const GameCommand& command) {
    if (m_recording) {
        m_pending.commands.push_back(command);
    }
}

void ReplayRecorder::BeginUpdate(float dt, bool stepped) {
    if (!m_recording) {
        return;
    }
    m_pending.dt = dt;
    m_pending.stepped = stepped;
    if (stepped) {
        m_clock.Record(m_pending.readings);
    }
}

void ReplayRecorder::EndUpdate(const LevelPlay& level) {
    if (!m_recording) {
        return;
    }
    m_clock.Stop();
    std::vector<ReplayUpdate>& updates = m_replay.updates;
    // The interface's time step does not reach the rules: an idle update takes the previous
    // record's, so that a paused stretch is one record however long it lasts.
    if (IsIdle(m_pending) && !updates.empty() && IsIdle(updates.back()) &&
        updates.back().repeat < UINT32_MAX) {
        ++updates.back().repeat;
    } else {
        if (IsIdle(m_pending) && !updates.empty()) {
            m_pending.dt = updates.back().dt;
        }
        updates.push_back(std::move(m_pending));
    }
    m_pending = ReplayUpdate();
    ++m_updates;
    if (m_updates % Replay::kCheckpointInterval == 0) {
        Checkpoint(level);
    }
}

void ReplayRecorder::Checkpoint(const LevelPlay& level) {
    m_replay.checkpoints.push_back(
        {static_cast<uint32_t>(m_updates - 1), CheckpointDigest::Of(level)});
}

Replay ReplayRecorder::Finish(const LevelPlay& level) {
    m_clock.Stop();
    if (m_updates > 0 && m_updates % Replay::kCheckpointInterval != 0) {
        Checkpoint(level);
    }
    m_recording = false;
    Replay done = std::move(m_replay);
    m_replay = Replay();
    return done;
}

void ReplayRecorder::Drop() {
    m_clock.Stop();
    m_recording = false;
    m_replay = Replay();
}
