#include "game/ScoreFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/Log.h"
#include "core/ReadFileBytes.h"
#include "game/ScoreBook.h"
#include "game/ScoreTable.h"
#include "platform/FileSystem.h"

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Makes the folder and every missing parent; false with the reason when one cannot be made.
bool MakeFolders(platform::FileOperations& files, const std::string& folder, std::string& error) {
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

bool WriteAll(platform::FileOperations& files, int fd, const std::string& text) {
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

std::string ScoreFile::DefaultPath() {
    const std::string folder = platform::GameDataFolder();
    return folder.empty() ? "" : folder + "/scores.xml";
}

void ScoreFile::Load(ScoreTable& table) {
    table.Clear();
    LoadWith([&table](const std::string& text, std::string& error) {
        return table.FromXml(text, error);
    });
}

void ScoreFile::Load(ScoreBook& book) {
    book.Clear();
    LoadWith([this, &book](const std::string& text, std::string& error) {
        return book.FromXml(text, m_path, error);
    });
}

void ScoreFile::LoadWith(const std::function<bool(const std::string&, std::string&)>& parse) {
    if (m_path.empty() || !m_files.PathExists(m_path)) {
        return;
    }
    std::vector<unsigned char> bytes;
    ReadFileBytes(m_path, bytes);
    std::string error;
    if (parse(std::string(bytes.begin(), bytes.end()), error)) {
        return;
    }
    const std::string aside = SetAside();
    if (aside.empty()) {
        LogMessage(
            "Scores file %s does not parse (%s) and cannot be set aside: %s; a fresh "
            "table starts and it is not overwritten\n",
            m_path.c_str(), error.c_str(), std::strerror(errno));
        // Writing over the unreadable file would lose it: this run keeps its scores in memory.
        m_path.clear();
        m_saveFailureReported = true;
        return;
    }
    LogMessage("Scores file %s does not parse (%s): kept as %s, a fresh table starts\n",
               m_path.c_str(), error.c_str(), aside.c_str());
}

std::string ScoreFile::SetAside() const {
    for (int n = 0; n < 1000; ++n) {
        const std::string bad = m_path + ".bad" + (n == 0 ? "" : "." + std::to_string(n));
        // The rename refuses an existing name, so no earlier bad file can be overwritten.
        if (m_files.RenameNoReplace(m_path, bad)) {
            // The rename is only durable once the folder's entry list reaches the disk too.
            m_files.FlushFolder(FolderOf(m_path));
            return bad;
        }
        if (errno != EEXIST) {
            return "";
        }
    }
    return "";
}

bool ScoreFile::WriteTemporary(const std::string& text, std::string& temporary,
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

bool ScoreFile::Save(const ScoreTable& table) {
    return SaveText(table.ToXml());
}

bool ScoreFile::Save(const ScoreBook& book) {
    return SaveText(book.ToXml());
}

bool ScoreFile::SaveText(const std::string& text) {
    if (m_path.empty()) {
        ReportSaveFailure("no home folder to keep them in");
        return false;
    }
    std::string error;
    std::string temporary;
    if (!MakeFolders(m_files, FolderOf(m_path), error) || !WriteTemporary(text, temporary, error)) {
        if (!temporary.empty()) {
            m_files.RemoveFile(temporary);
        }
        ReportSaveFailure(error);
        return false;
    }
    if (std::getenv(kStopBeforeRenameVariable)) {
        LogMessage("Scores written to %s, stopping before the rename\n", temporary.c_str());
        platform::StopProcessForTest();
    }
    if (!m_files.RenameOver(temporary, m_path)) {
        error = "cannot rename " + temporary + ": " + std::strerror(errno);
        m_files.RemoveFile(temporary);
        ReportSaveFailure(error);
        return false;
    }
    m_files.FlushFolder(FolderOf(m_path));
    return true;
}

void ScoreFile::ReportSaveFailure(const std::string& error) {
    if (m_saveFailureReported) {
        return;
    }
    m_saveFailureReported = true;
    LogMessage("Scores are not saved to %s: %s; the game plays on\n", m_path.c_str(),
               error.c_str());
}
