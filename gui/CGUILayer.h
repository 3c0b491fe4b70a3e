#pragma once
// One screen of the interface: a named list of widgets, updated, drawn and given input in list
// order. Creates each widget from its "type".

#include <memory>
#include <string>
#include <vector>

class IGUIWidget;
class TiXmlElement;
struct GUIKeyInput;
struct GUIMouseInput;

class CGUILayer {
public:
    CGUILayer();
    virtual ~CGUILayer();

    // Reads the name and creates, loads and shows every widget; unknown types are logged.
    virtual void Load(const TiXmlElement* element);
    virtual void Update(float& dt);
    virtual void Render();
    // Releases and deletes every widget.
    virtual void Clear();
    virtual void HandleMouse(GUIMouseInput& input);
    virtual void HandleKey(GUIKeyInput& input);

    std::string GetName() const { return m_name; }

    // Creates, loads, shows and appends the widget of one "widget" element; a missing or
    // unknown "type" is logged and the element skipped.
    void AddWidget(const TiXmlElement* element);

    std::string m_name;
    std::vector<std::unique_ptr<IGUIWidget>> m_widgets;
};
