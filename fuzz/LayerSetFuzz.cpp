// Interface layer sets: the fuzzed bytes become a layer set file, its sprites, animations and
// fonts taken from the fixed ones registered once under the seed data's names. The world gets
// a ship by hand (so meters have values) and its listeners (so button commands reach it).
// Every layer the file names is then made active, updated, drawn (the OpenGL calls do nothing
// without a context) and given the pointer over each of its widgets (move, press, release,
// right button) and a few keys; a world update after each layer delivers the queued button
// commands. The world and the interface are reset after each input.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzHome.h"
#include "FuzzWorld.h"
#include "core/XmlRead.h"
#include "game/ShooterPlayer.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "gui/GUIInput.h"
#include "gui/IGUIWidget.h"
#include "world/ShooterWorld.h"

namespace {

const char* const kFile = "fuzz-input.xml";
constexpr int kMaxLayers = 8;
constexpr size_t kMaxWidgets = 16;

// A window pixel near a widget's position; SDL only ever reports positions inside the window.
int32_t ToPixel(float v) {
    return v > -1e6f && v < 1e6f ? static_cast<int32_t>(v) : 0;
}

void Mouse(float x, float y, int32_t kind) {
    GUIMouseInput input;
    input.x = ToPixel(x);
    input.y = ToPixel(y);
    input.kind = kind;
    CGUI::GetInstance()->HandleMouse(input);
}

void Keys() {
    for (int32_t key : {27, 32, 49, 109, 273}) {
        for (int32_t kind : {1, 2}) {
            GUIKeyInput input;
            input.key = key;
            input.kind = kind;
            CGUI::GetInstance()->HandleKey(input);
        }
    }
}

// Where the active layer's widgets are, taken before any input can switch layers.
std::vector<Vector2> WidgetPositions() {
    std::vector<Vector2> positions;
    const CGUILayer* layer = CGUI::GetInstance()->GetActiveLayer();
    for (size_t i = 0; layer && i < layer->m_widgets.size() && i < kMaxWidgets; ++i) {
        positions.push_back(layer->m_widgets[i]->GetPosition());
    }
    return positions;
}

void PlayLayer(fuzz::FixedClock& clock, const std::string& name) {
    CGUI* gui = CGUI::GetInstance();
    gui->SetActiveLayer(name);
    float dt = 31.0f;
    for (const Vector2& p : WidgetPositions()) {
        Mouse(p.x + 2.0f, p.y + 2.0f, 7);
        gui->Update(dt);
        Mouse(p.x + 2.0f, p.y + 2.0f, 1);
        gui->Update(dt);
        gui->Render();
        Mouse(p.x + 2.0f, p.y + 2.0f, 2);
        Mouse(p.x + 2.0f, p.y + 2.0f, 4);
        Mouse(p.x + 2.0f, p.y + 2.0f, 5);
    }
    Mouse(-5.0f, 1e6f, 7);
    Keys();
    gui->Update(dt);
    gui->Render();
    clock.Advance(31);
    ShooterWorld::GetInstance()->Update(dt);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    fuzz::RegisterFixedSprites();
    fuzz::RegisterFixedAnimations();
    fuzz::RegisterFixedFonts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::HomeScope home;
    static fuzz::FixedClock clock(100000);
    clock.Set(100000);
    fuzz::WriteFile(kFile, data, size);
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Window().SetSize(world->Window().Width(), 512);
    world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
    world->Level().Player()->AddPoints(1234);
    fuzz::AddWorldListeners(world);

    CGUI::GetInstance()->LoadLayerSet(kFile);
    // The layers as the interface found them: the same file, the same element.
    TiXmlDocument document(kFile);
    const TiXmlElement* set =
        xml::LoadFile(document) ? xml::FirstElementOrChild(document, "layerset") : nullptr;
    int budget = kMaxLayers;
    xml::ForEachChild(set, "layer", [&budget](const TiXmlElement* element) {
        const char* name = xml::OptionalText(element, "name");
        if (budget-- > 0) {
            PlayLayer(clock, name ? name : "");
        }
    });
    fuzz::ResetWorld();
    return 0;
}
