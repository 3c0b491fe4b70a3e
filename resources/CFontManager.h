#pragma once
// Owns every font loaded from the font set files and finds them by name.

#include <memory>
#include <string>
#include <vector>

class CFont;

class CFontManager {
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

private:
    CFontManager();
    ~CFontManager();

    std::vector<std::unique_ptr<CFont>> m_fonts;
};
