#pragma once
// Owns every animation loaded from the animation set files and finds them by name.

#include <memory>
#include <string>
#include <vector>

class CAnimation;

class CAnimationManager {
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

private:
    CAnimationManager();
    ~CAnimationManager();

    std::vector<std::unique_ptr<CAnimation>> m_animations;
};
