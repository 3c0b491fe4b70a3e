#pragma once
// The best-score tables of every difficulty, kept in the one scores file. Normal's table is
// the <score> children of <scores>, as the file has always held it; every other difficulty's
// is a <table difficulty="NAME"> of <score> children after them. A file written before there
// were difficulties reads as normal's table, and a reader that knows only normal's finds its
// scores where it always did. The campaign's progress at each difficulty (CampaignProgress)
// follows the tables in the same file, so that one atomic save keeps both.

#include <map>
#include <string>

#include "game/CampaignProgress.h"
#include "game/ScoreTable.h"

class ScoreBook {
public:
    // The table of that difficulty, made empty the first time it is asked for. The reference
    // stays valid while the book lives, whatever other tables are added.
    ScoreTable& Table(const std::string& difficulty);
    // The table of that difficulty, or null when the book has none.
    const ScoreTable* Find(const std::string& difficulty) const;
    void Clear() {
        m_tables.clear();
        m_progress.Clear();
    }
    // The furthest campaign level reached at each difficulty.
    const CampaignProgress& Progress() const { return m_progress; }
    CampaignProgress& Progress() { return m_progress; }

    // The file's text: normal's scores, then a <table> for every other table holding any, then
    // the progress.
    std::string ToXml() const;
    // Replaces every table with those of text; false (book unchanged, error says why) when the
    // text does not parse, has no <scores> root or a score has no whole "points". A <table>
    // without a difficulty, or one named twice, is logged (file names the file) and skipped;
    // so is a malformed <progress> (CampaignProgress::ReadFrom).
    bool FromXml(const std::string& text, const std::string& file, std::string& error);

private:
    std::map<std::string, ScoreTable> m_tables;
    CampaignProgress m_progress;
};
