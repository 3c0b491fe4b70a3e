#include "gui/CGUILayer.h"

#include <tinyxml.h>

#include "core/Log.h"
#include "core/XmlRead.h"
#include "gui/CGUIButtonWidget.h"
#include "gui/CGUIMeterWidget.h"
#include "gui/CGUIStaticImageWidget.h"
#include "gui/CGUITextWidget.h"
#include "gui/IGUIWidget.h"

namespace {

// A new widget of the class the "type" names, or null for a name no class has.
IGUIWidget* CreateWidget(const std::string& type) {
    if (type == "button") {
        return new CGUIButtonWidget();
    }
    if (type == "staticimage") {
        return new CGUIStaticImageWidget();
    }
    if (type == "meter") {
        return new CGUIMeterWidget();
    }
    if (type == "text") {
        return new CGUITextWidget();
    }
    return nullptr;
}

}  // namespace

CGUILayer::CGUILayer() = default;

CGUILayer::~CGUILayer() = default;

void CGUILayer::Load(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", "CGUILayer");
    xml::ForEachChild(element, "widget", [this](const TiXmlElement* widget) { AddWidget(widget); });
}

void CGUILayer::AddWidget(const TiXmlElement* element) {
    const char* type = xml::OptionalText(element, "type");
    if (!type) {
        LogMessage("CGUILayer: Widget without \"type\" in layer \"%s\" of %s skipped\n",
                   m_name.c_str(), xml::FileOf(element).c_str());
        return;
    }
    std::unique_ptr<IGUIWidget> widget(CreateWidget(type));
    if (!widget) {
        LogMessage("CGUILayer: Unknown widget type \"%s\" in layer \"%s\" of %s skipped\n", type,
                   m_name.c_str(), xml::FileOf(element).c_str());
        return;
    }
    widget->Load(element);
    const bool visible = true;
    widget->SetVisible(visible);
    m_widgets.push_back(std::move(widget));
}

void CGUILayer::Update(float& dt) {
    for (auto& widget : m_widgets) {
        if (widget->IsVisible()) {
            widget->Update(dt);
        }
    }
}

void CGUILayer::Render() {
    for (auto& widget : m_widgets) {
        if (widget->IsVisible()) {
            widget->Render();
        }
    }
}

void CGUILayer::Clear() {
    for (auto& widget : m_widgets) {
        widget->Release();
        widget.reset();
    }
    m_widgets.clear();
}

void CGUILayer::HandleMouse(GUIMouseInput& input) {
    for (auto& widget : m_widgets) {
        if (widget->IsVisible()) {
            widget->HandleMouse(input);
        }
    }
}

void CGUILayer::HandleKey(GUIKeyInput& input) {
    for (auto& widget : m_widgets) {
        if (widget->IsVisible()) {
            widget->HandleKey(input);
        }
    }
}
