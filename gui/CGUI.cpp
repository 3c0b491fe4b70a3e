#include "gui/CGUI.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "gui/CGUIButtonWidget.h"
#include "gui/CGUILayer.h"
#include "gui/GUIInput.h"

CGUI* CGUI::GetInstance() {
    static CGUI* instance = new CGUI();
    return instance;
}

void CGUI::Load(const TiXmlHandle& handle) {
    const TiXmlElement* config = handle.ToElement();
    if (!config) {
        LogMessage("CGUI: Missing element <guicfg> in config.xml: no interface layers loaded\n");
        return;
    }
    const char* defaultName = xml::OptionalText(config, "default");
    const std::string defaultLayer = defaultName ? defaultName : "";
    m_defaultLayer = defaultLayer;
    if (!xml::Child(config, "layersetfile")) {
        return;
    }
    xml::ForEachChild(config, "layersetfile",
                      [this](const TiXmlElement* file) { LoadLayerSet(xml::Text(file)); });
    SetActiveLayer(defaultLayer);
    ReportUnknownLayers(defaultName);
}

void CGUI::LoadLayerSet(const std::string& fileName) {
    TiXmlDocument document;
    const TiXmlElement* set = OpenLayerSet(fileName, document);
    xml::ForEachChild(set, "layer", [this](const TiXmlElement* element) { AddLayer(element); });
}

const TiXmlElement* CGUI::OpenLayerSet(const std::string& fileName, TiXmlDocument& document) {
    // Data may have been written on Windows: '\' reads as '/', as in every data path.
    const std::string path = NormalizeDataPath(fileName);
    document.SetValue(path.c_str());
    // Condensing is a global switch of the XML library; texts of layer sets are read condensed.
    TiXmlBase::SetCondenseWhiteSpace(true);
    if (!xml::LoadFile(document)) {
        LogMessage("CGUI: Cannot load layer set file \"%s\": %s\n", path.c_str(),
                   document.ErrorDesc());
        return nullptr;
    }
    const TiXmlElement* set = xml::FirstElementOrChild(document, "layerset");
    if (!set) {
        LogMessage("CGUI: No <layerset> element in layer set file \"%s\"\n", path.c_str());
    }
    return set;
}

bool CGUI::ReloadLayerSet(const std::string& fileName) {
    TiXmlDocument document;
    const TiXmlElement* set = OpenLayerSet(fileName, document);
    if (!set) {
        return false;
    }
    xml::ForEachChild(set, "layer", [this](const TiXmlElement* element) {
        std::unique_ptr<CGUILayer> layer(new CGUILayer());
        layer->Load(element);
        for (auto& old : m_layers) {
            if (old->GetName() == layer->GetName()) {
                if (m_activeLayer == old.get()) {
                    m_activeLayer = layer.get();
                }
                old->Clear();
                old = std::move(layer);
                return;
            }
        }
        m_layers.push_back(std::move(layer));
    });
    return true;
}

void CGUI::AddLayer(const TiXmlElement* element) {
    std::unique_ptr<CGUILayer> layer(new CGUILayer());
    layer->Load(element);
    if (FindLayer(layer->GetName())) {
        LogMessage("CGUI: GUI Layer of name \"%s\" already exists in GUI layer list.\n",
                   layer->GetName().c_str());
        layer->Clear();
        return;
    }
    m_layers.push_back(std::move(layer));
}

void CGUI::ReportUnknownLayers(const char* defaultName) const {
    if (m_layers.empty()) {
        return;
    }
    if (defaultName && !FindLayer(defaultName)) {
        LogMessage("CGUI: Default layer \"%s\" is not defined in any layer set\n", defaultName);
    }
    for (const auto& layer : m_layers) {
        for (const auto& widget : layer->m_widgets) {
            const auto* button = dynamic_cast<const CGUIButtonWidget*>(widget.get());
            if (button && button->m_hasLayer && !FindLayer(button->m_layerName)) {
                LogMessage(
                    "CGUI: Layer \"%s\" of button \"%s\" in layer \"%s\" is not defined in any "
                    "layer set\n",
                    button->m_layerName.c_str(), button->m_name.c_str(), layer->m_name.c_str());
            }
        }
    }
}

CGUILayer* CGUI::FindLayer(const std::string& name) const {
    for (const auto& layer : m_layers) {
        if (layer->GetName() == name) {
            return layer.get();
        }
    }
    return nullptr;
}

void CGUI::SetActiveLayer(const std::string& name) {
    CGUILayer* layer = FindLayer(name);
    if (layer) {
        if (layer != m_activeLayer) {
            layer->ResetFocus();
        }
        m_activeLayer = layer;
    }
}

void CGUI::Update(float& dt) {
    if (m_activeLayer) {
        m_activeLayer->Update(dt);
    }
}

void CGUI::Render() {
    if (m_activeLayer) {
        m_activeLayer->Render();
    }
}

void CGUI::HandleMouse(GUIMouseInput& input) {
    if (input.kind == 1) {
        m_leftDown = true;
    } else if (input.kind == 2) {
        m_leftDown = false;
    }
    m_mouse = Vector2(static_cast<float>(input.x), static_cast<float>(input.y));
    if (m_activeLayer) {
        m_activeLayer->HandleMouse(input);
    }
}

void CGUI::HandleKey(GUIKeyInput& input) {
    if (m_activeLayer) {
        m_activeLayer->HandleKey(input);
    }
}

void CGUI::UnloadAll() {
    for (auto& layer : m_layers) {
        layer->Clear();
    }
    m_layers.clear();
    m_activeLayer = nullptr;
    m_mouse = Vector2();
    m_leftDown = false;
}

bool CGUI::PressButton(const std::string& eventName) {
    if (!m_activeLayer) {
        return false;
    }
    for (const auto& widget : m_activeLayer->m_widgets) {
        auto* button = dynamic_cast<CGUIButtonWidget*>(widget.get());
        if (button && button->IsVisible() && button->m_hasEvent &&
            button->m_eventName == eventName) {
            button->Press();
            return true;
        }
    }
    return false;
}

void CGUI::ShowButtons(const std::string& eventName, bool visible) {
    if (!m_activeLayer) {
        return;
    }
    for (const auto& widget : m_activeLayer->m_widgets) {
        auto* button = dynamic_cast<CGUIButtonWidget*>(widget.get());
        if (button && button->m_hasEvent && button->m_eventName == eventName) {
            button->SetVisible(visible);
        }
    }
}

CGUI::CGUI() = default;

CGUI::~CGUI() = default;
