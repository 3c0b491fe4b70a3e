#include "world/ReplayStore.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/Log.h"
#include "game/ScoreTable.h"
#include "platform/FileSystem.h"

namespace {

const char* const kBestPrefix = "best-";
const char* const kSuffix = ".gxr";

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

bool WriteAll(platform::FileOperations& files, int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = files.Write(fd, bytes.data() + done, bytes.size() - done);
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

std::string FileDate(const std::string& date) {
    std::string name = date;
    for (char& c : name) {
        if (c == ':') {
            c = '-';
        }
    }
    return name;
}

}  // namespace

std::string ReplayStore::DefaultFolder() {
    const std::string folder = platform::GameDataFolder();
    return folder.empty() ? "" : folder + "/replays";
}

bool ReplayStore::ReadWhole(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(platform::NativePath(path), std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string ReplayStore::LastPath() const {
    return m_folder + "/last" + kSuffix;
}

std::string ReplayStore::BestPath(const std::string& date) const {
    return m_folder + "/" + kBestPrefix + FileDate(date) + kSuffix;
}

bool ReplayStore::WriteTemporary(const std::vector<uint8_t>& bytes, const std::string& path,
                                 std::string& temporary, std::string& error) {
    std::vector<char> name(path.begin(), path.end());
    const std::string suffix = ".tmpXXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = m_files.CreateTemporary(name.data());
    if (fd < 0) {
        error = "cannot create a file in " + m_folder + ": " + std::strerror(errno);
        return false;
    }
    temporary = name.data();
    const bool written = WriteAll(m_files, fd, bytes) && m_files.SyncFile(fd);
    const bool closed = m_files.Close(fd);
    if (!written || !closed) {
        error = "cannot write " + temporary + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool ReplayStore::Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (m_folder.empty()) {
        ReportFailure("no home folder to keep them in");
        return false;
    }
    std::string error;
    std::string temporary;
    if (!MakeFolders(m_files, m_folder, error) || !WriteTemporary(bytes, path, temporary, error)) {
        if (!temporary.empty()) {
            m_files.RemoveFile(temporary);
        }
        ReportFailure(error);
        return false;
    }
    if (!m_files.RenameOver(temporary, path)) {
        error = "cannot rename " + temporary + ": " + std::strerror(errno);
        m_files.RemoveFile(temporary);
        ReportFailure(error);
        return false;
    }
    m_files.FlushFolder(m_folder);
    return true;
}

void ReplayStore::KeepBest(const std::vector<uint8_t>& bytes, const std::string& date,
                           const ScoreTable& table) {
    if (Write(BestPath(date), bytes)) {
        RemoveDropped(table);
    }
}

void ReplayStore::RemoveDropped(const ScoreTable& table) {
    std::error_code error;
    std::vector<std::string> dropped;
    for (const auto& entry :
         std::filesystem::directory_iterator(platform::NativePath(m_folder), error)) {
        const std::string name = entry.path().filename().u8string();
        if (name.rfind(kBestPrefix, 0) != 0) {
            continue;
        }
        bool kept = false;
        for (const ScoreEntry& score : table.Entries()) {
            kept = kept || name == std::string(kBestPrefix) + FileDate(score.date) + kSuffix;
        }
        if (!kept) {
            dropped.push_back(m_folder + "/" + name);
        }
    }
    for (const std::string& path : dropped) {
        m_files.RemoveFile(path);
    }
}

std::string ReplayStore::BestRun(const ScoreTable& table) const {
    if (m_folder.empty() || table.Entries().empty()) {
        return "";
    }
    const std::string path = BestPath(table.Entries().front().date);
    return m_files.PathExists(path) ? path : "";
}

void ReplayStore::ReportFailure(const std::string& error) {
    if (m_failureReported) {
        return;
    }
    m_failureReported = true;
    LogMessage("Replays are not saved to %s: %s; the game plays on\n", m_folder.c_str(),
               error.c_str());
}
