#include "tools/check/InterfaceChecker.h"

#include <tinyxml.h>

#include "core/XmlRead.h"
#include "resources/CSprite.h"
#include "tools/check/ResourceChecker.h"

namespace {

// The commands the game reacts to when a button raises them.
const char* const kButtonEvents[] = {"pause",           "quit",      "restart",
                                     "watchbest",       "options",   "back",
                                     "restoredefaults", "nextlevel", "continue"};
// The options the options screen's rows can show, besides "bind:ACTION".
const char* const kOptions[] = {"master",  "music",      "effects", "fullscreen", "scaling",
                                "motionblur", "vsync",   "maxfps",  "difficulty"};
// The meter's values and alignments the game knows.
const char* const kMeterTargets[] = {"health", "h", "lives", "l", "points", "p", "best", "boss"};
const char* const kMeterAligns[] = {"l", "left", "c", "centre", "center", "r", "right"};

template <size_t N>
bool OneOf(const std::string& text, const char* const (&names)[N]) {
    for (const char* name : names) {
        if (text == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

void InterfaceChecker::CheckLayerSet(const std::string& path, const Place& from) {
    std::unique_ptr<TiXmlDocument> document;
    const TiXmlElement* set =
        m_context.OpenSet(path, from, DataKind::LayerSet, "layerset", document);
    if (!set) {
        return;
    }
    xml::ForEachChild(set, "layer", [&](const TiXmlElement* layer) {
        const Place at = PlaceOf(path, layer);
        if (!layer->Attribute("name")) {
            m_context.Error(at, "<layer> has no \"name\"");
        } else {
            m_context.Define(m_context.layers, "layer", AttributeText(layer, "name"), at);
        }
        xml::ForEachChild(layer, "widget",
                          [&](const TiXmlElement* widget) { CheckWidget(widget, path); });
    });
}

void InterfaceChecker::CheckWidget(const TiXmlElement* widget, const std::string& file) {
    const std::string type = AttributeText(widget, "type");
    if (type == "button") {
        CheckButton(widget, file);
    } else if (type == "staticimage") {
        CheckImage(widget, file, true);
    } else if (type == "meter") {
        CheckMeter(widget, file);
    } else if (type == "text") {
        CheckText(widget, file);
    } else if (type == "slider" || type == "toggle" || type == "keycapture") {
        CheckOption(widget, file);
    } else {
        m_context.Error(PlaceOf(file, widget),
                        "unknown widget type " + Quoted(type) +
                            ": the game knows button, staticimage, meter, text, slider, toggle "
                            "and keycapture");
    }
}

void InterfaceChecker::CheckOption(const TiXmlElement* widget, const std::string& file) {
    CheckText(widget, file);
    const std::string option = AttributeText(widget, "option");
    if (!OneOf(option, kOptions) && option.rfind("bind:", 0) != 0 &&
        option.rfind("mod:", 0) != 0) {
        m_context.Warning(PlaceOf(file, widget),
                          "option " + Quoted(option) + " is not one the game has: the row shows ?");
    }
}

void InterfaceChecker::CheckButton(const TiXmlElement* widget, const std::string& file) {
    const Place at = PlaceOf(file, widget);
    if (const char* event = widget->Attribute("event")) {
        if (!OneOf(event, kButtonEvents)) {
            m_context.Warning(at, "button event " + Quoted(event) +
                                      " is not one the game reacts to (pause, quit, restart, "
                                      "watchbest, options, back, restoredefaults, nextlevel, "
                                      "continue)");
        }
    }
    if (const char* layer = widget->Attribute("layer")) {
        UseLayer(layer, at, "layer");
    }
    const TiXmlElement* sprite = xml::Child(widget, "sprite");
    if (!sprite) {
        m_context.Error(at, "button has no <sprite>");
        return;
    }
    const Place spriteAt = PlaceOf(file, sprite);
    const CSprite* found = m_resources.UseSprite(AttributeText(sprite, "name"), spriteAt);
    for (const char* attribute : {"normalFrame", "hoverFrame", "depressFrame"}) {
        int frame = 0;
        xml::ReadInt(sprite, attribute, frame);
        m_resources.UseFrame(found, frame, spriteAt);
    }
}

void InterfaceChecker::CheckImage(const TiXmlElement* widget, const std::string& file,
                                  bool spriteRequired) {
    const TiXmlElement* sprite = xml::Child(widget, "sprite");
    if (!sprite) {
        if (spriteRequired) {
            m_context.Error(PlaceOf(file, widget), "image has no <sprite>");
        }
        return;
    }
    const Place spriteAt = PlaceOf(file, sprite);
    const CSprite* found = m_resources.UseSprite(AttributeText(sprite, "name"), spriteAt);
    int frame = 0;
    xml::ReadInt(sprite, "frame", frame);
    m_resources.UseFrame(found, frame, spriteAt);
    const TiXmlElement* animation = xml::Child(widget, "animation");
    if (found && animation) {
        m_resources.UseAnimation(AttributeText(animation, "name"),
                                 AttributeText(animation, "action"), found,
                                 PlaceOf(file, animation));
    }
}

void InterfaceChecker::CheckMeter(const TiXmlElement* widget, const std::string& file) {
    const Place at = PlaceOf(file, widget);
    const char* font = widget->Attribute("font");
    // A meter showing a number draws with its font; its sprite is then optional.
    CheckImage(widget, file, font == nullptr);
    if (font) {
        m_resources.UseFont(font, at);
        const std::string align = AttributeText(widget, "align");
        if (widget->Attribute("align") && !OneOf(align, kMeterAligns)) {
            m_context.Warning(
                at, "meter align " + Quoted(align) + " is unknown: the game aligns it left");
        }
    }
    const std::string target = AttributeText(widget, "target");
    if (!OneOf(target, kMeterTargets)) {
        m_context.Warning(at, "meter target " + Quoted(target) +
                                  " is unknown (health, lives, points, best, boss): it draws "
                                  "nothing");
    }
}

void InterfaceChecker::CheckText(const TiXmlElement* widget, const std::string& file) {
    const Place at = PlaceOf(file, widget);
    const CFont* font = m_resources.UseFont(AttributeText(widget, "font"), at);
    if (font) {
        m_resources.UseText(*font, AttributeText(widget, "text"), at);
    }
}

void InterfaceChecker::UseLayer(const std::string& name, const Place& at, const std::string& role) {
    m_layerUses.push_back({name, at, role});
}

void InterfaceChecker::CheckLayerNames() const {
    for (const LayerUse& use : m_layerUses) {
        if (m_context.layers.count(use.name) == 0) {
            m_context.Error(use.at, "unknown " + use.role + " " + Quoted(use.name) +
                                        ": no layer set defines it");
        }
    }
}
