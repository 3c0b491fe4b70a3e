#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Makes the folder and every missing parent; false with the reason when one cannot be made.
bool MakeFolders(FileOperations& files, const std::string& folder, std::string& error) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') {
            continue;
        }
        const std::string part = folder.substr(0, at);
        if (!files.MakeFolder(part)) {
            error = "cannot create folder " + part + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

bool WriteAll(FileOperations& files, int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = files.Write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

}  // namespace

bool AtomicFile::Save(const std::string& text, std::string& error) {
    if (m_path.empty()) {
        error = "no folder to keep it in";
        return false;
    }
    std::string temporary;
    if (!MakeFolders(m_files, FolderOf(m_path), error) ||
        !WriteTemporary(text, temporary, error)) {
        if (!temporary.empty()) {
            m_files.RemoveFile(temporary);
        }
        return false;
    }
    if (m_beforeRename) {
        m_beforeRename(temporary);
    }
    if (!m_files.RenameOver(temporary, m_path)) {
        error = "cannot rename " + temporary + ": " + std::strerror(errno);
        m_files.RemoveFile(temporary);
        return false;
    }
    m_files.FlushFolder(FolderOf(m_path));
    return true;
}

std::string AtomicFile::SetAside() const {
    for (int n = 0; n < 1000; ++n) {
        const std::string bad = m_path + ".bad" + (n == 0 ? "" : "." + std::to_string(n));
        // The rename refuses an existing name, so no earlier bad file can be overwritten.
        if (m_files.RenameNoReplace(m_path, bad)) {
            m_files.FlushFolder(FolderOf(m_path));
            return bad;
        }
        if (errno != EEXIST) {
            return "";
        }
    }
    return "";
}

bool AtomicFile::WriteTemporary(const std::string& text, std::string& temporary,
                                std::string& error) {
    std::vector<char> name(m_path.begin(), m_path.end());
    const std::string suffix = ".tmpXXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = m_files.CreateTemporary(name.data());
    if (fd < 0) {
        error = "cannot create a file in " + FolderOf(m_path) + ": " + std::strerror(errno);
        return false;
    }
    temporary = name.data();
    const bool written = WriteAll(m_files, fd, text) && m_files.SyncFile(fd);
    if (!written) {
        error = "cannot write " + temporary + ": " + std::strerror(errno);
    }
    if (!m_files.Close(fd) && written) {
        error = "cannot write " + temporary + ": " + std::strerror(errno);
        return false;
    }
    return written;
}

}  // namespace platform
