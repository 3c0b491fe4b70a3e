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

    // A layer with navigate="yes" takes the keyboard and the gamepad while it is active: Up and
    // Down move the focus over the widgets that take it (in list order), Enter or pad button 0
    // activates the focused one, Left and Right step it, and Escape or pad button 1 activates
    // the layer's widget named "back". While a widget captures a key, every key goes to it.
    // The pointer works as in any layer.
    // Other layers leave the keys to the game and have no focus.
    bool Navigates() const { return m_navigates; }
    // True while one of the widgets waits for a key to capture.
    bool IsCapturing() const;
    // Puts the focus on the first widget that takes it (a layer just made active).
    void ResetFocus();

    // Creates, loads, shows and appends the widget of one "widget" element; a missing or
    // unknown "type" is logged and the element skipped.
    void AddWidget(const TiXmlElement* element);

    std::string m_name;
    std::vector<std::unique_ptr<IGUIWidget>> m_widgets;

private:
    void Navigate(GUIKeyInput& input);
    // Moves the focus to the next (step 1) or previous (-1) visible widget that takes it.
    void MoveFocus(int step);
    IGUIWidget* Focused() const;
    IGUIWidget* FindWidget(const std::string& name) const;

    bool m_navigates = false;
    int m_focus = -1;  // index into m_widgets, -1: none
};
