#include "gui/CGUI.h"

#include "gui/CGUILayer.h"

CGUI* CGUI::GetInstance() {
    static CGUI* instance = new CGUI();
    return instance;
}

void CGUI::Load(const TiXmlHandle& /*handle*/) {}

void CGUI::LoadLayerSet(const std::string& /*fileName*/) {}

void CGUI::SetActiveLayer(const std::string& /*name*/) {}

void CGUI::Update(float& /*dt*/) {}

void CGUI::Render() {}

void CGUI::HandleMouse(GUIMouseInput& /*input*/) {}

void CGUI::HandleKey(GUIKeyInput& /*input*/) {}

void CGUI::UnloadAll() {}

CGUI::CGUI() = default;

CGUI::~CGUI() = default;
