#pragma once
// A fixed line of text drawn with a bitmap font.

#include <string>

#include "gui/IGUIWidget.h"

class CFont;

class CGUITextWidget : public IGUIWidget {
public:
    std::string GetName() const override { return m_name; }
    // Reads "name", "text", "font", "position" and "scale"; a missing text or font, or an
    // unknown font, is logged.
    void Load(const TiXmlElement* element) override;
    void Update(float& /*dt*/) override {}
    // Draws the text from the position; nothing without a font.
    void Render() override;
    void Release() override {}
    bool IsVisible() const override { return m_visible; }
    void SetVisible(const bool& visible) override { m_visible = visible; }
    Vector2 GetPosition() const override { return m_position; }
    void HandleMouse(GUIMouseInput& /*input*/) override {}
    void HandleKey(GUIKeyInput& /*input*/) override {}

    Vector2 m_position;
    Vector2 m_scale;
    bool m_visible = false;
    std::string m_name;
    std::string m_text;
    CFont* m_font = nullptr;  // borrowed from the font manager
};
