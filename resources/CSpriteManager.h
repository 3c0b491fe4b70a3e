#pragma once
// Owns every sprite, loaded from the sprite set files named by the configuration, and hands
// them out by name. Users borrow plain pointers, valid until UnloadAll. For live reload it
// knows its set files and the sheets their sprites read, and reads a set again into the
// sprites it made (core/DataReloader.h).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/DataReloader.h"
#include "resources/TSetRecord.h"

class CSprite;
class TiXmlElement;

class CSpriteManager : public DataReloader {
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

    // A sprite set file loaded, or a sheet one of its sprites read.
    std::vector<std::string> FilesAffectedBy(const std::string& path) const override;
    // Decodes every sprite of the set again; a sprite that decodes without a problem takes
    // the new sheet and layout in place, its texture name filled again with the new image.
    // A sprite no longer in the file stays as it was (logged); a new one is added.
    bool Reload(const std::string& fileName) override;

    // Directory prefix of the set file being loaded.
    const std::string& GetBaseDir() const { return m_basedir; }

private:
    CSpriteManager();
    ~CSpriteManager();

    // Reads the set file, loading its sprites (reload: into the sprites it made before when
    // they decode without a problem). True when no sprite was left as it was.
    bool ReadSet(const std::string& fileName, bool reload);
    // Reads one "sprite" element into the set's sprite of its name, or a new one; false when
    // an earlier sprite stays as it was.
    bool ReadSprite(const TiXmlElement* element, TSetRecord<CSprite>& record, bool reload);

    std::map<std::string, std::vector<std::unique_ptr<CSprite>>> m_groups;
    // By set file, as named to LoadSpriteSet with '\' read as '/'.
    std::map<std::string, TSetRecord<CSprite>> m_sets;
    std::string m_basedir;
    bool m_uploadTextures = true;
};
