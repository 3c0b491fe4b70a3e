#include "gui/CGUILayer.h"

#include <SDL/SDL.h>
#include <tinyxml.h>

#include "core/Log.h"
#include "core/XmlRead.h"
#include "gui/CGUIButtonWidget.h"
#include "gui/CGUIMeterWidget.h"
#include "gui/CGUIOptionWidget.h"
#include "gui/CGUIStaticImageWidget.h"
#include "gui/CGUITextWidget.h"
#include "gui/GUIInput.h"
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
    CGUIOptionWidget::Kind kind = CGUIOptionWidget::Kind::Slider;
    if (CGUIOptionWidget::KindFromType(type, kind)) {
        return new CGUIOptionWidget(kind);
    }
    return nullptr;
}

}  // namespace

CGUILayer::CGUILayer() = default;

CGUILayer::~CGUILayer() = default;

void CGUILayer::Load(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", "CGUILayer");
    const char* navigate = xml::OptionalText(element, "navigate");
    m_navigates = navigate && std::string(navigate) == "yes";
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
    if (m_navigates) {
        Navigate(input);
        return;
    }
    for (auto& widget : m_widgets) {
        if (widget->IsVisible()) {
            widget->HandleKey(input);
        }
    }
}

bool CGUILayer::IsCapturing() const {
    for (const auto& widget : m_widgets) {
        if (widget->IsCapturing()) {
            return true;
        }
    }
    return false;
}

void CGUILayer::ResetFocus() {
    if (IGUIWidget* focused = Focused()) {
        focused->SetFocused(false);
    }
    m_focus = -1;
    if (m_navigates) {
        MoveFocus(1);
    }
}

void CGUILayer::Navigate(GUIKeyInput& input) {
    // A widget waiting for a key (the focused one, or one clicked) gets every key.
    for (auto& widget : m_widgets) {
        if (widget->IsCapturing()) {
            widget->HandleKey(input);
            return;
        }
    }
    IGUIWidget* focused = Focused();
    if (input.kind != 1) {
        return;
    }
    if (input.key == SDLK_UP || input.key == SDLK_DOWN) {
        MoveFocus(input.key == SDLK_UP ? -1 : 1);
    } else if (input.key == SDLK_LEFT || input.key == SDLK_RIGHT) {
        if (focused) {
            focused->Step(input.key == SDLK_LEFT ? -1 : 1);
        }
    } else if (input.key == SDLK_RETURN || input.key == SDLK_KP_ENTER || input.button == 0) {
        if (focused) {
            focused->Activate();
        }
    } else if (input.key == SDLK_ESCAPE || input.button == 1) {
        IGUIWidget* back = FindWidget("back");
        if (back && back->IsVisible()) {
            back->Activate();
        }
    }
}

void CGUILayer::MoveFocus(int step) {
    const int count = static_cast<int>(m_widgets.size());
    IGUIWidget* before = Focused();
    int at = m_focus;
    for (int tried = 0; tried < count; ++tried) {
        at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
        const IGUIWidget& widget = *m_widgets[static_cast<size_t>(at)];
        if (widget.IsVisible() && widget.TakesFocus()) {
            if (before) {
                before->SetFocused(false);
            }
            m_focus = at;
            m_widgets[static_cast<size_t>(at)]->SetFocused(true);
            return;
        }
    }
}

IGUIWidget* CGUILayer::Focused() const {
    return m_focus >= 0 && m_focus < static_cast<int>(m_widgets.size())
               ? m_widgets[static_cast<size_t>(m_focus)].get()
               : nullptr;
}

IGUIWidget* CGUILayer::FindWidget(const std::string& name) const {
    for (const auto& widget : m_widgets) {
        if (widget->GetName() == name) {
            return widget.get();
        }
    }
    return nullptr;
}
