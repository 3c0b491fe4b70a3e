#pragma once
// The levels of a campaign (config.xml's <campaign>) in play order: which one is in play, and
// the wait between a cleared level and the next, while the between-levels layer shows. A
// configuration without a campaign, or with a campaign of one level, is a one-level game:
// nothing ever follows the level in play.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TiXmlElement;

class Campaign {
public:
    // Milliseconds of the game clock the between-levels layer shows before the next level
    // starts by itself.
    static constexpr uint32_t kWaitMs = 4000;

    // Reads config's <campaign>: its levels and its layer (CampaignLevels, CampaignLayer).
    // Without one the campaign is off.
    void Read(const TiXmlElement* config);
    // A campaign lists at least one level: it, not <defaults>, names the levels played.
    bool IsOn() const { return !m_files.empty(); }
    // The level a fresh game starts with; "" when the campaign is off.
    const std::string& FirstLevel() const;
    const std::string& Layer() const { return m_layer; }
    // The position of the level in play, from 1, and the number of levels listed.
    size_t Number() const { return m_index + 1; }
    size_t Count() const { return m_files.size(); }
    // The file of the level in play; "" when the campaign is off.
    const std::string& File() const;

    // Another level follows the one in play, and the campaign was not stopped.
    bool HasNext() const { return m_index + 1 < m_end; }
    // The file of that level; "" when none follows.
    const std::string& NextFile() const;
    // Nothing follows the level in play any more: its next level cannot be played.
    void Stop();

    // Between two levels: the level in play is cleared and the next one waits.
    bool IsWaiting() const { return m_waiting; }
    // The wait begins at clock reading now; playLayer is the interface layer shown during play,
    // which comes back with the next level.
    void BeginWait(uint32_t now, const std::string& playLayer);
    // The wait has lasted kWaitMs at clock reading now.
    bool WaitOver(uint32_t now) const;
    const std::string& PlayLayer() const { return m_playLayer; }
    // The wait ends without a new level (the game ended, or the level was read anew).
    void EndWait() { m_waiting = false; }
    // The next level is in play: the wait ends.
    void Advance();
    // Play again: back to the first level, every level reachable again.
    void Restart();
    // Continue: the level at position number (from 1; a number beyond the last level means the
    // last) is in play, every later level reachable. Nothing when the campaign is off.
    void StartAt(size_t number);

private:
    std::vector<std::string> m_files;
    std::string m_layer;
    size_t m_index = 0;
    size_t m_end = 0;  // levels from this position on are not reached
    bool m_waiting = false;
    uint32_t m_waitStart = 0;
    std::string m_playLayer;
};
