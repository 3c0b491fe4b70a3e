#pragma once
// Replaces a player's file so that a crash at any moment leaves the old content or the new
// one, never half of it: the text goes to a temporary file in the same folder, is flushed to
// the disk, renamed over the file, and the folder is flushed. A file that cannot be read is
// set aside under a new name, never deleted or overwritten.

#include <functional>
#include <string>

#include "platform/FileOperations.h"

namespace platform {

class AtomicFile {
public:
    // files: the file calls used, the system's unless a test records them.
    explicit AtomicFile(std::string path, FileOperations& files = FileOperations::System())
        : m_path(std::move(path)), m_files(files) {}
    const std::string& Path() const { return m_path; }
    // Called with the temporary file's name once it is written and flushed, just before the
    // rename: the tests stop the process there to show that a crash leaves the old file.
    void SetBeforeRename(std::function<void(const std::string&)> hook) {
        m_beforeRename = std::move(hook);
    }

    // Makes the missing folders and replaces the file with text; false with the reason in
    // error when it cannot (the old file is then untouched and no temporary file is left).
    bool Save(const std::string& text, std::string& error);
    // Renames the file to <path>.bad, or <path>.bad.1, .2, ... when that name is taken. The
    // name used, or "" on failure (errno set).
    std::string SetAside() const;

private:
    bool WriteTemporary(const std::string& text, std::string& temporary, std::string& error);

    std::string m_path;
    FileOperations& m_files;
    std::function<void(const std::string&)> m_beforeRename;
};

}  // namespace platform
