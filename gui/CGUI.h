#pragma once
// The interface manager: named layers of widgets, one of them active. Owns the layers, keeps
// the pointer position and left-button state, and forwards update, drawing and input to the
// active layer only. With no active layer those calls do nothing.

#include <memory>
#include <string>
#include <vector>

#include "math/Vector2.h"

class CGUILayer;
class TiXmlDocument;
class TiXmlElement;
class TiXmlHandle;
struct GUIKeyInput;
struct GUIMouseInput;

class CGUI {
public:
    static CGUI* GetInstance();

    // Loads every "layersetfile" of the "guicfg" element and activates its "default" layer.
    // A default layer or a button's target layer that no layer set defines is logged, one
    // line each: switching to it would silently do nothing. Without any layer loaded there
    // is no interface to switch, and nothing is checked.
    void Load(const TiXmlHandle& handle);
    // Loads the layers of one layer set file; a duplicate layer name is logged and dropped.
    void LoadLayerSet(const std::string& fileName);
    // Live reload: reads the layer set file again; each of its layers replaces the layer of
    // the same name (staying active when it was), a new one is added. False (logged, every
    // layer left as it was) when the file does not load.
    bool ReloadLayerSet(const std::string& fileName);
    // Makes the layer of that name active; an unknown name changes nothing.
    void SetActiveLayer(const std::string& name);
    // Makes the configuration's "default" layer active again (the state of a fresh start).
    void ActivateDefaultLayer() { SetActiveLayer(m_defaultLayer); }
    // Presses the first visible button of the active layer whose command is eventName, as a
    // click would; false when the active layer has none.
    bool PressButton(const std::string& eventName);
    // Shows or hides every button of the active layer whose command is eventName (a button
    // offered only at times); nothing without an active layer.
    void ShowButtons(const std::string& eventName, bool visible);

    void Update(float& dt);
    void Render();
    void HandleMouse(GUIMouseInput& input);
    void HandleKey(GUIKeyInput& input);

    Vector2 GetMousePosition() const { return m_mouse; }
    bool IsLeftButtonDown() const { return m_leftDown; }
    // True when a loaded layer has that exact name.
    bool HasLayer(const std::string& name) const { return FindLayer(name) != nullptr; }
    // True when at least one layer is loaded: the game has an interface at all.
    bool HasLayers() const { return !m_layers.empty(); }
    // The active layer, or null.
    CGUILayer* GetActiveLayer() const { return m_activeLayer; }

    // Clears and deletes every layer; no layer is active and the pointer state is reset.
    void UnloadAll();

private:
    CGUI();
    ~CGUI();

    // Loads one "layer" element and keeps it unless its name is taken (logged, dropped).
    void AddLayer(const TiXmlElement* element);
    // Loads the layer set file into document; its <layerset>, or null (logged).
    static const TiXmlElement* OpenLayerSet(const std::string& fileName, TiXmlDocument& document);
    // Logs the default layer (when named) and every button target that no layer has.
    void ReportUnknownLayers(const char* defaultName) const;
    // The loaded layer of that exact name, or null.
    CGUILayer* FindLayer(const std::string& name) const;

    std::vector<std::unique_ptr<CGUILayer>> m_layers;
    CGUILayer* m_activeLayer = nullptr;
    std::string m_defaultLayer;
    Vector2 m_mouse;
    bool m_leftDown = false;
};
