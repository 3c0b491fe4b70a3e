// Sprite sets: the fuzzed bytes become a sprite set file in a folder where the fixed sheet
// lies under every image name of the seed data. Each loaded sprite then draws a few frames
// (the OpenGL calls do nothing without a context, the frame checks still run) and meets the
// others in the pixel-exact contact test at a few offsets. The sprites are unloaded after
// each input.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzHome.h"
#include "FuzzWorld.h"
#include "core/XmlRead.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"

namespace {

const char* const kFile = "fuzz-input.xml";
constexpr size_t kMaxSprites = 8;

// The sprites the file names, as the manager finds them (loaded or not).
std::vector<const CSprite*> NamedSprites() {
    std::vector<const CSprite*> sprites;
    TiXmlDocument document(kFile);
    xml::ForEachChild(
        fuzz::LoadSet(document, "spriteset"), "sprite", [&sprites](const TiXmlElement* element) {
            const char* name = xml::OptionalText(element, "name");
            const CSprite* sprite = CSpriteManager::GetInstance()->GetSprite(name ? name : "");
            if (sprite && sprites.size() < kMaxSprites) {
                sprites.push_back(sprite);
            }
        });
    return sprites;
}

void DrawFrames(const CSprite& sprite) {
    for (uint32_t frame : {0u, 1u, 3u, 7u, 50u, 0xffffffffu}) {
        sprite.Draw(Vector2(10.0f, 20.0f), Vector2(1.0f, -2.0f), 45.0f, frame, 1, 0.5f);
    }
}

void Collide(const CSprite& a, const CSprite& b) {
    const Vector2 offsets[] = {Vector2(0.0f, 0.0f), Vector2(3.5f, -2.25f), Vector2(-20.0f, 7.0f),
                               Vector2(1e9f, -1e9f)};
    for (const Vector2& offset : offsets) {
        for (int frame : {0, 1, -1, 5}) {
            a.PixelCollide(&b, offset, frame, 0);
            a.PixelCollide(&b, offset, 0, frame);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::HomeScope home;
    fuzz::WriteFile(kFile, data, size);
    CSpriteManager::GetInstance()->LoadSpriteSet(kFile);
    const std::vector<const CSprite*> sprites = NamedSprites();
    for (const CSprite* a : sprites) {
        DrawFrames(*a);
        for (const CSprite* b : sprites) {
            Collide(*a, *b);
        }
    }
    CSpriteManager::GetInstance()->UnloadAll();
    return 0;
}
