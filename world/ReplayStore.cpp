#include "world/ReplayStore.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/Log.h"
#include "game/ScoreTable.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"

namespace {

const char* const kBestPrefix = "best-";
const char* const kSuffix = ".gxr";

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

bool ReplayStore::Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (m_folder.empty()) {
        ReportFailure("no home folder to keep them in");
        return false;
    }
    std::string error;
    if (!platform::AtomicFile(path, m_files).Save(std::string(bytes.begin(), bytes.end()), error)) {
        ReportFailure(error);
        return false;
    }
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
