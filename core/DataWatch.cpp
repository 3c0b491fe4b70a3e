#include "core/DataWatch.h"

#include <system_error>

#include "core/DataLayers.h"
#include "core/Log.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace {

// The file's modification time; false when it is not a readable regular file.
bool ModificationTime(const std::string& path, fs::file_time_type& time) {
    std::error_code error;
    const fs::path native = platform::NativePath(path);
    if (!fs::is_regular_file(native, error)) {
        return false;
    }
    time = fs::last_write_time(native, error);
    return !error;
}

}  // namespace

DataWatch& DataWatch::Active() {
    static DataWatch watch;
    return watch;
}

void DataWatch::Note(const std::string& path, const std::string& resolved) {
    if (!m_on || path.empty() || fs::path(path).is_absolute()) {
        return;
    }
    Seen seen;
    seen.resolved = resolved;
    if (!ModificationTime(resolved, seen.time)) {
        seen.time = fs::file_time_type::min();
    }
    m_files[path] = seen;
}

std::vector<std::string> DataWatch::Changed(uint32_t nowMs) {
    std::vector<std::string> changed;
    if (!m_on || (m_polled && nowMs - m_lastPoll < kPollMs)) {
        return changed;
    }
    m_polled = true;
    m_lastPoll = nowMs;
    for (auto& [path, seen] : m_files) {
        if (seen.reported) {
            continue;
        }
        const std::string resolved = DataLayers::Active().Locate(path);
        fs::file_time_type time;
        if (!ModificationTime(resolved, time)) {
            if (!seen.gone && seen.time != fs::file_time_type::min()) {
                LogMessage("%s is gone: the version loaded stays in use\n", path.c_str());
                seen.gone = true;
            }
            continue;
        }
        if (seen.gone || resolved != seen.resolved || time != seen.time) {
            seen.reported = true;
            changed.push_back(path);
        }
    }
    return changed;
}

void DataWatch::Clear() {
    m_files.clear();
    m_polled = false;
}
