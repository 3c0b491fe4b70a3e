// The configuration start-up: the fuzzed bytes become config.xml in a folder of fixed data and
// go through every start-up step that needs no window, in Init's order: ReadConfig, the
// resource sets, the interface, the default level, the explosions and the listeners. InitGL
// is left out (no window here); the resource sets load all the same, their textures are never
// uploaded because the OpenGL calls do nothing without a context. One world update then
// delivers what start-up queued. Everything is unloaded again after each input.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzHome.h"
#include "FuzzWorld.h"
#include "core/DataPath.h"
#include "core/XmlRead.h"
#include "game/ShooterExplosionManager.h"
#include "gui/CGUI.h"
#include "platform/Clock.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"
#include "world/ShooterWorld.h"

namespace {

TiXmlHandle HandleOn(const TiXmlElement* element) {
    return TiXmlHandle(const_cast<TiXmlElement*>(element));
}

// Init without InitGL, step by step.
void StartUp(ShooterWorld* world) {
    TiXmlDocument document("config.xml");
    const TiXmlElement* config =
        xml::LoadFile(document) ? document.FirstChildElement("config") : nullptr;
    if (!config) {
        return;
    }
    world->ReadConfig(config);
    world->LoadResourceSets(config);
    CGUI::GetInstance()->Load(HandleOn(xml::RequiredChild(config, "guicfg", "CEngine")));
    world->Level().SetTime(static_cast<int32_t>(timeGetTime()));
    if (const TiXmlElement* defaults = xml::Child(config, "defaults")) {
        const std::string level = xml::RequiredText(defaults, "level", "CEngine");
        if (!level.empty()) {
            world->LoadLevel(NormalizeDataPath(level));
        }
    }
    world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
    world->Level().Explosions()->Load(HandleOn(xml::Child(config, "explosioncfg")));
    fuzz::AddWorldListeners(world);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::HomeScope home;
    static fuzz::FixedClock clock(100000);
    clock.Set(100000);
    fuzz::WriteFile("config.xml", data, size);
    ShooterWorld* world = ShooterWorld::GetInstance();
    StartUp(world);
    float dt = 31.0f;
    clock.Advance(31);
    world->Update(dt);

    fuzz::ResetWorld();
    CSpriteManager::GetInstance()->UnloadAll();
    CAnimationManager::GetInstance()->UnloadAll();
    CFontManager::GetInstance()->UnloadAll();
    return 0;
}
