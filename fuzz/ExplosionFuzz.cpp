// The explosion configuration: the fuzzed bytes are parsed as XML, and the explosioncfg
// element (the root itself, or the child of a config root as Init takes it) configures an
// explosion manager over the fixed sprites and animations. Explosions are then spawned,
// updated with short and long steps and drawn (the OpenGL calls do nothing without a
// context). The manager lives for one input only.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzHome.h"
#include "FuzzWorld.h"
#include "core/XmlRead.h"
#include "game/ShooterExplosionManager.h"

namespace {

const TiXmlElement* ConfigElement(const TiXmlDocument& document) {
    const TiXmlElement* root = document.RootElement();
    if (root && root->ValueStr() == "config") {
        return xml::Child(root, "explosioncfg");
    }
    return root;
}

void Run(ShooterExplosionManager& explosions) {
    bool drawBox = false;
    explosions.Spawn(Vector2(10.0f, 20.0f));
    for (float step : {0.0f, 31.0f, 31.0f, 250.0f, 1e6f, 31.0f, 5e9f}) {
        float dt = step;
        explosions.Update(dt);
        explosions.Render(drawBox);
        explosions.Spawn(Vector2(-3.0f, 1e30f));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    fuzz::RegisterFixedSprites();
    fuzz::RegisterFixedAnimations();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The text as xml::LoadFile hands it to the parser: up to the first zero byte, then zero
    // bytes the parser may step into after a cut-off character.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    text.append(4, '\0');
    TiXmlBase::SetCondenseWhiteSpace(true);
    TiXmlDocument document;
    document.Parse(text.c_str());
    ShooterExplosionManager explosions;
    explosions.Load(TiXmlHandle(const_cast<TiXmlElement*>(ConfigElement(document))));
    Run(explosions);
    return 0;
}
