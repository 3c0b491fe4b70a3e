#pragma once
// Keeps the score table on disk so that nothing the player earned is lost or half-written:
// the file is replaced atomically (a temporary file in the same folder, written, flushed to
// the disk, renamed over the old one, and the folder flushed), so a crash at any moment
// leaves the old table or the new one. A file that does not parse is set aside, never deleted.
// A folder that cannot be made or written costs one log line; the game plays on.

#include <functional>
#include <string>

#include "platform/FileOperations.h"

class ScoreBook;
class ScoreTable;

class ScoreFile {
public:
    // The scores file's path: $XDG_DATA_HOME/glimmerax/scores.xml, or on Windows
    // %APPDATA%/glimmerax/scores.xml, or else $HOME/.local/share/glimmerax/scores.xml; "" when
    // none is set (an empty variable counts as unset).
    static std::string DefaultPath();

    // files: the file calls used, the system's unless a test records them.
    explicit ScoreFile(std::string path,
                       platform::FileOperations& files = platform::FileOperations::System())
        : m_path(std::move(path)), m_files(files) {}
    const std::string& Path() const { return m_path; }

    // Fills table from the file. A missing file gives an empty table silently; a file that
    // does not parse is renamed (SetAside) with one log line and the table starts empty.
    void Load(ScoreTable& table);
    // Fills book from the file the same way: every difficulty's table (see ScoreBook).
    void Load(ScoreBook& book);
    // Writes the table atomically; false (logged once per run) when it cannot.
    bool Save(const ScoreTable& table);
    // Writes every table of the book atomically, the same way.
    bool Save(const ScoreBook& book);
    // Renames the file to scores.xml.bad, or scores.xml.bad.1, .2, ... when that name is
    // taken: an earlier bad file is never overwritten. The name used, or "" on failure.
    std::string SetAside() const;

    // When this variable is set, Save stops the process (SIGSTOP; not on Windows) between
    // writing the temporary file and renaming it, so that a test can kill it at that moment.
    static constexpr const char* kStopBeforeRenameVariable = "GLIMMERAX_TEST_STOP_BEFORE_RENAME";

private:
    // Reads the file's text through parse (which says why it fails); the rest as Load says.
    void LoadWith(const std::function<bool(const std::string&, std::string&)>& parse);
    bool SaveText(const std::string& text);
    void ReportSaveFailure(const std::string& error);

    std::string m_path;
    platform::FileOperations& m_files;
    bool m_saveFailureReported = false;
};
