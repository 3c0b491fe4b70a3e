#pragma once
// Owns every animation loaded from the animation set files and finds them by name. For live
// reload it knows its set files and reads one again into the animations it made
// (core/DataReloader.h).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/DataReloader.h"
#include "resources/TSetRecord.h"

class CAnimation;
class TiXmlElement;

class CAnimationManager : public DataReloader {
public:
    static CAnimationManager* GetInstance();

    // Loads every "animation" of one animation set file.
    void LoadAnimationSet(const std::string& fileName);
    // The first animation of that exact name, or null (no message).
    CAnimation* GetAnimation(const std::string& name) const;
    // Deletes every animation.
    void UnloadAll();
    // Takes ownership of an animation built elsewhere (tests, tools).
    void AddAnimation(CAnimation* animation);

    // An animation set file loaded.
    std::vector<std::string> FilesAffectedBy(const std::string& path) const override;
    // Reads every animation of the set again; one that reads without a problem takes the new
    // actions in place. One no longer in the file stays as it was (logged); a new one is
    // added.
    bool Reload(const std::string& fileName) override;

private:
    CAnimationManager();
    ~CAnimationManager();

    // Reads the set file (reload: into the animations it made before); true when no
    // animation was left as it was.
    bool ReadSet(const std::string& fileName, bool reload);
    // Reads one "animation" element into the set's animation of its name, or a new one;
    // false when an earlier animation stays as it was.
    bool ReadAnimation(const TiXmlElement* element, TSetRecord<CAnimation>& record, bool reload);

    std::vector<std::unique_ptr<CAnimation>> m_animations;
    // By set file, as named to LoadAnimationSet with '\' read as '/'.
    std::map<std::string, TSetRecord<CAnimation>> m_sets;
};
