// Font sets: the fuzzed bytes become a font set file, its glyph sprites taken from the fixed
// sprites registered once under the seed data's names. Every font the file names then
// measures and draws a few texts (the OpenGL calls do nothing without a context). The fonts
// are unloaded after each input; the sprites stay.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzHome.h"
#include "FuzzWorld.h"
#include "core/XmlRead.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"

namespace {

const char* const kFile = "fuzz-input.xml";
constexpr int kMaxFonts = 8;

std::string EveryCharacter() {
    std::string text;
    for (int c = 1; c < 256; ++c) {
        text += static_cast<char>(c);
    }
    return text;
}

void Use(const CFont& font) {
    static const std::string texts[] = {"", "0", "SCORE 1234567890", "-2147483648",
                                        EveryCharacter()};
    for (const std::string& text : texts) {
        font.MeasureText(text, Vector2(1.0f, 1.0f));
        font.MeasureText(text, Vector2(-2.5f, 0.0f));
        font.DrawText(text, Vector2(2.0f, 2.0f), Vector2(10.0f, 10.0f));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    fuzz::RegisterFixedSprites();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::HomeScope home;
    fuzz::WriteFile(kFile, data, size);
    CFontManager::GetInstance()->LoadFontSet(kFile);
    TiXmlDocument document(kFile);
    int budget = kMaxFonts;
    xml::ForEachChild(
        fuzz::LoadSet(document, "fontset"), "font", [&budget](const TiXmlElement* element) {
            const char* name = xml::OptionalText(element, "name");
            const CFont* font = CFontManager::GetInstance()->GetFont(name ? name : "");
            if (font && budget-- > 0) {
                Use(*font);
            }
        });
    CFontManager::GetInstance()->UnloadAll();
    return 0;
}
