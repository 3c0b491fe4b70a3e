#pragma once
// What one set file gave its manager, for live reload: the items read from it in file order
// (owned by the manager) and the other data files its items read (a sprite's sheet). A new
// reading of the file claims the items by name, so each of its elements updates the item it
// made at start-up, a name given twice in the file updating each of its items in turn.
// Item needs GetName().

#include <set>
#include <string>
#include <vector>

template <typename Item>
class TSetRecord {
public:
    // Starts a reading of the file: every item may be claimed again, and the files read are
    // noted anew.
    void BeginReading() {
        m_claimed.assign(m_items.size(), false);
        m_uses.clear();
    }
    // The first item of that name not claimed yet in this reading, now claimed; null when
    // there is none (a new name).
    Item* Claim(const std::string& name) {
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (!m_claimed[i] && m_items[i]->GetName() == name) {
                m_claimed[i] = true;
                return m_items[i];
            }
        }
        return nullptr;
    }
    // Records an item read from the file for the first time.
    void Add(Item* item) {
        m_items.push_back(item);
        m_claimed.push_back(true);
    }
    // The names of the items the last reading did not claim: no longer in the file.
    std::vector<std::string> Unclaimed() const {
        std::vector<std::string> names;
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (!m_claimed[i]) {
                names.push_back(m_items[i]->GetName());
            }
        }
        return names;
    }
    // Notes a data file one of the items read.
    void NoteUse(const std::string& path) { m_uses.insert(path); }
    bool Uses(const std::string& path) const { return m_uses.count(path) != 0; }

private:
    std::vector<Item*> m_items;
    std::vector<bool> m_claimed;
    std::set<std::string> m_uses;
};
