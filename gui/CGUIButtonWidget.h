#pragma once
// A clickable sprite: shows its normal frame, its hover frame under the pointer and its
// depress frame while the left button is held over it. Releasing the left button inside its
// rectangle queues its command as a GUIEvent and then switches to its layer, each when given.

#include <cstdint>
#include <string>

#include "gui/IGUIWidget.h"
#include "math/Rect.h"

class CSprite;

class CGUIButtonWidget : public IGUIWidget {
public:
    std::string GetName() const override { return m_name; }
    // Reads "name", the optional "event" and "layer", "position" and the "sprite" frames; the
    // rectangle spans one unscaled frame from the position. An unknown sprite is logged.
    void Load(const TiXmlElement* element) override;
    // Picks the frame from the pointer position and the left-button state.
    void Update(float& dt) override;
    // Draws the current frame at the rectangle's lower-left corner; nothing without a sprite.
    void Render() override;
    void Release() override {}
    bool IsVisible() const override { return m_visible; }
    void SetVisible(const bool& visible) override { m_visible = visible; }
    Vector2 GetPosition() const override { return m_rect.min; }
    // A left-button release inside the rectangle is a click, wherever the press was.
    void HandleMouse(GUIMouseInput& input) override;
    // What a click does: queues the command, then switches to the layer, each when given.
    // Keys and the gamepad press buttons through it too.
    void Press();
    void HandleKey(GUIKeyInput& /*input*/) override {}
    // In a navigating layer: the focused button shows its hover frame; Enter presses it.
    bool TakesFocus() const override { return m_sprite != nullptr; }
    void SetFocused(bool focused) override { m_focused = focused; }
    void Activate() override;

    // The sprite named by the "name" of a widget's "sprite" element. Buttons and images share
    // it and its one log line: a missing element or name, or "Sprite not found" for a name
    // the sprite manager does not know. Null in all those cases.
    static CSprite* FindSprite(const TiXmlElement* widget, const char* who);

    Rect m_rect;  // inclusive on all four edges
    bool m_visible = false;
    bool m_hasEvent = false;
    bool m_hasLayer = false;
    std::string m_name;
    std::string m_eventName;
    std::string m_layerName;
    CSprite* m_sprite = nullptr;  // borrowed from the sprite manager
    int32_t m_frame = 0;
    int32_t m_normalFrame = 0;
    int32_t m_hoverFrame = 0;
    int32_t m_depressFrame = 0;
    bool m_focused = false;
};
