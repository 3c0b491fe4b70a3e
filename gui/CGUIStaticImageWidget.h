#pragma once
// A sprite frame drawn at a fixed place and scale, optionally animated: the animation's action
// picks the frame from the widget's own clock, which runs only while its layer is active.

#include <cstdint>
#include <string>

#include "gui/IGUIWidget.h"

class CAnimation;
class CSprite;

class CGUIStaticImageWidget : public IGUIWidget {
public:
    std::string GetName() const override { return m_name; }
    // Reads "name", "position", "scale", the "sprite" name and frame and, when the sprite
    // exists, the optional "animation" name and action. Without "scale" the scale stays
    // (0, 0) and the image cannot be seen.
    void Load(const TiXmlElement* element) override;
    // Advances the animation clock and takes the action's frame (looping).
    void Update(float& dt) override;
    // Draws the frame; nothing without a sprite.
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
    CSprite* m_sprite = nullptr;  // borrowed from the sprite manager
    int32_t m_frame = 0;
    int32_t m_animTime = 0;
    CAnimation* m_animation = nullptr;  // borrowed from the animation manager
    std::string m_action;
    bool m_animated = false;
    // A still image whose sheet is one colour is drawn as an untextured quad of that colour:
    // the same pixels at a fraction of the cost when it is stretched over the window.
    bool m_oneColour = false;
    unsigned char m_colour[4] = {0, 0, 0, 0};

protected:
    // The image's part of loading. A meter that shows a number needs no sprite: without a
    // "sprite" element it is then not reported.
    void LoadImage(const TiXmlElement* element, bool spriteRequired);
};
