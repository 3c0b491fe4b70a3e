#pragma once
// The furthest level of the campaign reached at each difficulty, kept in the scores file beside
// the best scores: a <progress difficulty="NAME" level="N"/> child of <scores> for every
// difficulty whose furthest level is beyond the first. A file without any (one written before
// progress was kept) reads as the first level reached everywhere, and a reader that knows only
// the scores passes over these elements.

#include <map>
#include <string>

class TiXmlElement;

class CampaignProgress {
public:
    // Campaign positions count from 1: the first level is reached by starting a game.
    static constexpr int kFirstLevel = 1;

    // The furthest level reached at that difficulty; kFirstLevel when none further is kept.
    int Reached(const std::string& difficulty) const;
    // Level number level was reached at that difficulty. True when it is further than any
    // before (it is then kept); false, changing nothing, otherwise.
    bool Reach(const std::string& difficulty, int level);
    void Clear() { m_levels.clear(); }

    // Appends a <progress> element to scores for every difficulty beyond the first level.
    void AppendTo(TiXmlElement* scores) const;
    // Replaces the progress with the <progress> children of scores. One without a difficulty,
    // without a whole level of 1 or more, or naming a difficulty already read is one log line
    // (file names the file) and is skipped; the rest is read. A difficulty config.xml does not
    // define is kept as it is: another configuration may define it.
    void ReadFrom(const TiXmlElement* scores, const std::string& file);

private:
    std::map<std::string, int> m_levels;
};
