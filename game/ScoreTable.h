#pragma once
// The ten best scores with the dates they were made, best first. A new score equal to one
// already kept goes below it: the older result keeps its place. Read from and written to the
// XML text of the scores file (ScoreFile keeps that file safe on disk).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ScoreEntry {
    int32_t points = 0;
    std::string date;  // ISO 8601, UTC: "2026-12-08T07:10:00Z"
};

class TiXmlElement;

class ScoreTable {
public:
    static constexpr size_t kCapacity = 10;

    // Enters a score; its rank from 0 (the best), or -1 when it is not among the ten best.
    int Add(int32_t points, const std::string& date);
    const std::vector<ScoreEntry>& Entries() const { return m_entries; }
    // The best score kept; 0 for an empty table.
    int32_t Best() const { return m_entries.empty() ? 0 : m_entries.front().points; }
    void Clear() { m_entries.clear(); }

    // The file's text: <scores> with one <score points="..." date="..."/> per entry.
    std::string ToXml() const;
    // Replaces the table with the scores of text; false (table unchanged, error says why)
    // when the text does not parse, has no <scores> root or an entry has no whole "points".
    // Entries are put in order and cut to ten whatever order the file had.
    bool FromXml(const std::string& text, std::string& error);

    // Appends one <score points="..." date="..."/> per entry to parent.
    void AppendTo(TiXmlElement* parent) const;
    // Replaces the table with the <score> children of parent; false (table unchanged, error
    // says why) when one has no whole "points". Other children are not read.
    bool ReadFrom(const TiXmlElement* parent, std::string& error);

    // The current time as ISO 8601 in UTC.
    static std::string Now();

private:
    std::vector<ScoreEntry> m_entries;
};
