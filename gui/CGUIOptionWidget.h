#pragma once
// One row of the options screen: a label, and the value of one of the game's options (see
// OptionValues) drawn in a column to its right. Three kinds:
// - "slider": a volume, drawn as a bar of ten segments and its number; Left and Right step it
//   by 10, a click on the bar sets it where clicked;
// - "toggle": a choice (on/off, a scaling, a method), Enter, Right or a click take the next
//   value, Left the previous one;
// - "keycapture": an action's keys; Enter or a click waits for the next key (or pad button),
//   which becomes the action's first key; Escape while waiting leaves the binding as it was.
//
// In the layer set: <widget type="slider|toggle|keycapture" name=".." option=".." text="LABEL"
// font=".." valuex="320"> with <position x y/> (the label's lower left); valuex is the value
// column's distance from the label (320 when not given). Focused (CGUILayer), the row is
// drawn on a light band.

#include <string>

#include "gui/IGUIWidget.h"
#include "math/Rect.h"

class CFont;

class CGUIOptionWidget : public IGUIWidget {
public:
    enum class Kind { Slider, Toggle, KeyCapture };
    // The kind a widget "type" names; false for a type that is none of them.
    static bool KindFromType(const std::string& type, Kind& kind);

    explicit CGUIOptionWidget(Kind kind) : m_kind(kind) {}

    std::string GetName() const override { return m_name; }
    // Reads name, option, text, font, valuex and position; a missing one or an unknown font
    // is logged (the row is then not drawn).
    void Load(const TiXmlElement* element) override;
    void Update(float& /*dt*/) override {}
    void Render() override;
    void Release() override {}
    bool IsVisible() const override { return m_visible; }
    void SetVisible(const bool& visible) override { m_visible = visible; }
    Vector2 GetPosition() const override { return m_position; }
    void HandleMouse(GUIMouseInput& input) override;
    // Only while capturing: the next key pressed, or pad button, is bound.
    void HandleKey(GUIKeyInput& input) override;

    bool TakesFocus() const override { return m_font != nullptr; }
    void SetFocused(bool focused) override { m_focused = focused; }
    void Activate() override;
    void Step(int step) override;
    bool IsCapturing() const override { return m_capturing; }

    const std::string& Option() const { return m_option; }

private:
    // The row's rectangle (label to the end of the value column) and the slider's bar.
    Rect RowRect() const;
    Rect BarRect() const;
    std::string ValueText() const;

    static constexpr float kBarWidth = 200.0f;
    static constexpr float kNumberWidth = 60.0f;
    static constexpr int kSliderStep = 10;

    Kind m_kind;
    std::string m_name;
    std::string m_option;
    std::string m_label;
    const CFont* m_font = nullptr;  // borrowed from the font manager
    Vector2 m_position;
    float m_valueX = 320.0f;
    float m_height = 16.0f;
    bool m_visible = false;
    bool m_focused = false;
    bool m_capturing = false;
};
