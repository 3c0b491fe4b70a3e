#pragma once
// Owns every sprite, loaded from the sprite set files named by the configuration, and hands
// them out by name. Users borrow plain pointers, valid until UnloadAll.

#include <map>
#include <memory>
#include <string>
#include <vector>

class CSprite;

class CSpriteManager {
public:
    static CSpriteManager* GetInstance();

    // Loads every "sprite" of one sprite set file: decodes each sheet and, unless uploads are
    // switched off, uploads it. Problems are reported (core/Diagnostics.h), never fatal.
    void LoadSpriteSet(const std::string& fileName);
    // Whether LoadSpriteSet uploads the sheets (the default). Without a window (the data
    // checker) they are only decoded: the sprites then hold their pixels and layout, are
    // marked loaded when usable, and have no texture.
    void SetUploadTextures(bool upload) { m_uploadTextures = upload; }
    // The first sprite loaded under that exact name, or null.
    CSprite* GetSprite(const std::string& name) const;
    // Deletes every sprite and its texture.
    void UnloadAll();
    // Uploads every loaded sprite's decoded pixels as a new texture, for a new OpenGL context
    // (the video mode was opened again): the old names died with the old context.
    void ReuploadTextures();
    // Takes ownership of a sprite built elsewhere (tests, tools) into the "default" group.
    void AddSprite(CSprite* sprite);

    // Directory prefix of the set file being loaded.
    const std::string& GetBaseDir() const { return m_basedir; }

private:
    CSpriteManager();
    ~CSpriteManager();

    std::map<std::string, std::vector<std::unique_ptr<CSprite>>> m_groups;
    std::string m_basedir;
    bool m_uploadTextures = true;
};
