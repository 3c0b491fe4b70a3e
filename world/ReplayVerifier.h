#pragma once
// Plays a replay file on the rules alone (HeadlessGame, on the data of the working folder) as
// fast as it can and compares every checkpoint with the state the rules reach.

#include <cstdint>
#include <string>

#include "world/ReplayData.h"

class ReplayVerifier {
public:
    // Exit statuses of --verify.
    enum Verdict { kMatch = 0, kDiffers = 1, kUnusable = 2 };

    // The verdict on the file at path, with one line (no line end) saying why: for kDiffers
    // the update where the game went another way and what differs; for kUnusable what is
    // wrong with the file, or which data file is not the one it was recorded on.
    static Verdict VerifyFile(const std::string& path, std::string& message);
    // The same for a replay already read.
    static Verdict Verify(const Replay& replay, std::string& message);
    // "" when the data of the working folder is the data the replay was recorded on; else why
    // not, naming the first file that differs.
    static std::string DataDifference(const Replay& replay);
};
