#pragma once
// Records one game as it is played: per world update the ship commands carried out since the
// previous update, the time step, whether the rules stepped and every clock reading they made;
// a checkpoint of the world's state every Replay::kCheckpointInterval updates and at the end.

#include <cstdint>
#include <string>

#include "world/ReplayClock.h"
#include "world/ReplayData.h"

class LevelPlay;

class ReplayRecorder {
public:
    // Starts a game's recording from a fresh start of level (its clock not started). The
    // header names the data the rules read: configFile and the level's file, hashed now.
    void Begin(const LevelPlay& level, const std::string& configFile);
    bool IsRecording() const { return m_recording; }
    // A ship command carried out now, before the next update.
    void NoteCommand(const GameCommand& command);
    // Around one world update: BeginUpdate installs the recording clock when the rules step,
    // EndUpdate puts the clock back and takes a checkpoint when one is due.
    void BeginUpdate(float dt, bool stepped);
    void EndUpdate(const LevelPlay& level);
    // Ends the recording with a checkpoint of the final state and hands the replay over.
    Replay Finish(const LevelPlay& level);
    // Ends the recording and forgets it.
    void Drop();

    // Hashes one data file into the header's form; false when it cannot be read.
    static bool DescribeFile(const std::string& name, ReplayDataFile& file);

private:
    void Checkpoint(const LevelPlay& level);

    Replay m_replay;
    ReplayUpdate m_pending;
    ReplayClock m_clock;
    uint64_t m_updates = 0;
    bool m_recording = false;
};
