#include "gui/CGUILayer.h"

#include "gui/IGUIWidget.h"

CGUILayer::CGUILayer() = default;

CGUILayer::~CGUILayer() = default;

void CGUILayer::Load(const TiXmlElement* /*element*/) {}

void CGUILayer::Update(float& /*dt*/) {}

void CGUILayer::Render() {}

void CGUILayer::Clear() {}

void CGUILayer::HandleMouse(GUIMouseInput& /*input*/) {}

void CGUILayer::HandleKey(GUIKeyInput& /*input*/) {}
