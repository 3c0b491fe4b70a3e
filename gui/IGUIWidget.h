#pragma once
// An element of an interface layer. The layer owns its widgets and deletes them through this
// interface.

#include <string>

#include "math/Vector2.h"

class TiXmlElement;
struct GUIKeyInput;
struct GUIMouseInput;

class IGUIWidget {
public:
    virtual ~IGUIWidget() = default;
    virtual std::string GetName() const = 0;
    // Reads the "widget" element.
    virtual void Load(const TiXmlElement* element) = 0;
    virtual void Update(float& dt) = 0;
    virtual void Render() = 0;
    // Called just before the widget is deleted.
    virtual void Release() = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetVisible(const bool& visible) = 0;
    virtual Vector2 GetPosition() const = 0;
    virtual void HandleMouse(GUIMouseInput& input) = 0;
    virtual void HandleKey(GUIKeyInput& input) = 0;

    // Keyboard and gamepad operation, in a layer that navigates (CGUILayer): whether the
    // widget can take the focus, showing it, what Enter or pad button 0 does, what Left (-1)
    // and Right (+1) do, and whether it wants every key itself (a key being captured).
    virtual bool TakesFocus() const { return false; }
    virtual void SetFocused(bool /*focused*/) {}
    virtual void Activate() {}
    virtual void Step(int /*step*/) {}
    virtual bool IsCapturing() const { return false; }
};
