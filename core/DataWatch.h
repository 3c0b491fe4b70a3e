#pragma once
// Live reload's eye on the data: while on, it notes every relative data path the game reads
// (DataLayers::Resolve tells it, with the file it resolved to) and, polled, tells which of them
// changed: a new modification time, or a different file now resolving the path (a mod's file
// added or removed). A file gone with nothing in its place is said once on the log and not
// reported: the version already loaded stays in use. Off (the default), it notes nothing.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

class DataWatch {
public:
    // How often Changed looks at the files, in milliseconds.
    static constexpr uint32_t kPollMs = 500;

    static DataWatch& Active();

    void SetOn(bool on) { m_on = on; }
    bool IsOn() const { return m_on; }
    // Records the state of the file the data path was read from (nothing while off).
    void Note(const std::string& path, const std::string& resolved);
    // The data paths whose file changed since they were last read, looked at no more often
    // than every kPollMs (nowMs on a millisecond clock); empty between looks and while off.
    // Each changed path is reported once, until it is read again.
    std::vector<std::string> Changed(uint32_t nowMs);
    // Forgets every noted path.
    void Clear();

private:
    struct Seen {
        std::string resolved;
        std::filesystem::file_time_type time;
        bool reported = false;  // changed, already said
        bool gone = false;      // gone, already said
    };

    bool m_on = false;
    bool m_polled = false;
    uint32_t m_lastPoll = 0;
    std::map<std::string, Seen> m_files;
};
