#pragma once
// Owns every font loaded from the font set files and finds them by name. For live reload it
// knows its set files and reads one again into the fonts it made (core/DataReloader.h).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/DataReloader.h"
#include "resources/TSetRecord.h"

class CFont;
class TiXmlElement;

class CFontManager : public DataReloader {
public:
    static CFontManager* GetInstance();

    // Loads every "font" of one font set file.
    void LoadFontSet(const std::string& fileName);
    // The first font of that exact name, or null (no message).
    CFont* GetFont(const std::string& name) const;
    // Deletes every font.
    void UnloadAll();
    // Takes ownership of a font built elsewhere (tests, tools).
    void AddFont(CFont* font);

    // A font set file loaded.
    std::vector<std::string> FilesAffectedBy(const std::string& path) const override;
    // Reads every font of the set again; one that reads without a problem takes the new
    // sprite and entries in place. One no longer in the file stays as it was (logged); a new
    // one is added.
    bool Reload(const std::string& fileName) override;

private:
    CFontManager();
    ~CFontManager();

    // Reads the set file (reload: into the fonts it made before); true when no font was left
    // as it was.
    bool ReadSet(const std::string& fileName, bool reload);
    // Reads one "font" element into the set's font of its name, or a new one; false when an
    // earlier font stays as it was.
    bool ReadFont(const TiXmlElement* element, TSetRecord<CFont>& record, bool reload);

    std::vector<std::unique_ptr<CFont>> m_fonts;
    // By set file, as named to LoadFontSet with '\' read as '/'.
    std::map<std::string, TSetRecord<CFont>> m_sets;
};
