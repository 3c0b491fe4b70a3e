#pragma once
// Where replays are kept: the replays folder beside the scores file, with last.gxr (the last
// game played) and one best-<date>.gxr per game of the best-score table, named after the
// date its score was entered with. Files are replaced through platform::AtomicFile, as the
// scores and settings files are, so a crash leaves the old replay or the new one. A folder that cannot be made or
// written costs one log line per run; the game plays on.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileOperations.h"

class ScoreTable;

class ReplayStore {
public:
    // $XDG_DATA_HOME/glimmerax/replays, or on Windows %APPDATA%/glimmerax/replays, or else
    // $HOME/.local/share/glimmerax/replays; "" when none is set.
    static std::string DefaultFolder();
    // The whole file; false when it cannot be read.
    static bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes);

    explicit ReplayStore(std::string folder,
                         platform::FileOperations& files = platform::FileOperations::System())
        : m_folder(std::move(folder)), m_files(files) {}
    const std::string& Folder() const { return m_folder; }
    std::string LastPath() const;
    // The best-run file of the table entry made at date (its ':' written as '-').
    std::string BestPath(const std::string& date) const;

    // Writes bytes to path atomically; false (logged once per run) when it cannot.
    bool Write(const std::string& path, const std::vector<uint8_t>& bytes);
    // Keeps bytes as the best run of the entry made at date, then removes every best-run
    // file whose date is no longer in the table.
    void KeepBest(const std::vector<uint8_t>& bytes, const std::string& date,
                  const ScoreTable& table);
    // The file of the table's best entry when it exists; "" otherwise.
    std::string BestRun(const ScoreTable& table) const;

private:
    void RemoveDropped(const ScoreTable& table);
    void ReportFailure(const std::string& error);

    std::string m_folder;
    platform::FileOperations& m_files;
    bool m_failureReported = false;
};
