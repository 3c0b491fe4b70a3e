#include "tools/check/DataSchema.h"

#include <tinyxml.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "tools/check/Findings.h"

namespace {

struct ElementRule {
    DataKind kind;
    const char* parent;  // "" for the element the reading starts at
    const char* name;
    const char* attributes;  // "name:kind" words, kind one of text, int, float
};

// Every element and attribute the readers know. Adding a name to the data format means
// adding it here.
const ElementRule kRules[] = {
    // config.xml
    {DataKind::Config, "", "config",
     "width:int height:int gameoverlayer:text gamecompletelayer:text volume:int vsync:text "
     "maxfps:int motionblur:text"},
    {DataKind::Config, "config", "spritesetfile", ""},
    {DataKind::Config, "config", "animationsetfile", ""},
    {DataKind::Config, "config", "fontsetfile", ""},
    {DataKind::Config, "config", "soundsetfile", ""},
    {DataKind::Config, "config", "guicfg", "default:text"},
    {DataKind::Config, "guicfg", "layersetfile", ""},
    {DataKind::Config, "config", "defaults", "level:text"},
    {DataKind::Config, "config", "campaign", "layer:text"},
    {DataKind::Config, "campaign", "level", "file:text"},
    {DataKind::Config, "config", "difficulty",
     "name:text enemyhealth:float firedelay:float shotspeed:float ships:int"},
    {DataKind::Config, "config", "explosioncfg", "sprite:text anim:text action:text"},
    // Sprite sets
    {DataKind::SpriteSet, "", "spriteset", "basedir:text"},
    {DataKind::SpriteSet, "spriteset", "sprite", "name:text"},
    {DataKind::SpriteSet, "sprite", "image",
     "swidth:int sheight:int numframes:int rows:int columns:int"},
    // Animation sets
    {DataKind::AnimationSet, "", "animationset", ""},
    {DataKind::AnimationSet, "animationset", "animation", "name:text"},
    {DataKind::AnimationSet, "animation", "action", "name:text totaltime:int"},
    {DataKind::AnimationSet, "action", "keyframe", "frameid:int time:int"},
    // Font sets
    {DataKind::FontSet, "", "fontset", ""},
    {DataKind::FontSet, "fontset", "font", "name:text sprite:text"},
    {DataKind::FontSet, "font", "entry", "char:text frame:int"},
    // Interface layer sets
    {DataKind::LayerSet, "", "layerset", ""},
    {DataKind::LayerSet, "layerset", "layer", "name:text navigate:text"},
    {DataKind::LayerSet, "layer", "widget",
     "type:text name:text event:text layer:text text:text font:text vertical:text gap:int "
     "ratio:int align:text target:text option:text valuex:float"},
    {DataKind::LayerSet, "widget", "position", "x:float y:float"},
    {DataKind::LayerSet, "widget", "scale", "x:float y:float"},
    {DataKind::LayerSet, "widget", "sprite",
     "name:text frame:int normalFrame:int hoverFrame:int depressFrame:int"},
    {DataKind::LayerSet, "widget", "animation", "name:text action:text"},
    // Levels
    {DataKind::Level, "", "level", "name:text music:text"},
    {DataKind::Level, "level", "camera", ""},
    {DataKind::Level, "camera", "position", "x:float y:float"},
    {DataKind::Level, "camera", "velocity", "x:float y:float"},
    {DataKind::Level, "camera", "size", "x:float y:float"},
    {DataKind::Level, "level", "player", ""},
    {DataKind::Level, "player", "position", "x:float y:float"},
    {DataKind::Level, "player", "scale", "x:float y:float"},
    {DataKind::Level, "player", "velocity", "x:float y:float"},
    {DataKind::Level, "player", "sprite", "name:text frame:int"},
    {DataKind::Level, "player", "animation", "name:text action:text"},
    {DataKind::Level, "player", "projectile", "sprite:text speed:float"},
    {DataKind::Level, "level", "bg", ""},
    {DataKind::Level, "bg", "position", "x:float y:float"},
    {DataKind::Level, "bg", "sprite",
     "back:text bspeed:float middle:text mspeed:float front:text fspeed:float"},
    {DataKind::Level, "level", "enemy", "name:text time:int health:int"},
    {DataKind::Level, "enemy", "behaviour", "type:text turnspeed:float"},
    {DataKind::Level, "enemy", "projectile",
     "shoots:text delay:int speed:float sprite:text pattern:text count:int spread:float"},
    {DataKind::Level, "enemy", "position", "x:float y:float"},
    {DataKind::Level, "enemy", "scale", "x:float y:float"},
    {DataKind::Level, "enemy", "direction", "x:float y:float speed:float"},
    {DataKind::Level, "enemy", "sprite", "name:text frame:int"},
    {DataKind::Level, "enemy", "animation", "name:text action:text"},
    {DataKind::Level, "enemy", "boss", ""},
    {DataKind::Level, "boss", "phase",
     "below:int behaviour:text turnspeed:float speed:float action:text"},
    {DataKind::Level, "phase", "projectile",
     "delay:int speed:float sprite:text pattern:text count:int spread:float"},
    // Sound sets
    {DataKind::SoundSet, "", "soundset", "basedir:text"},
    {DataKind::SoundSet, "soundset", "sample", "name:text volume:int"},
    {DataKind::SoundSet, "soundset", "music", "name:text volume:int"},
    {DataKind::SoundSet, "soundset", "cue", "event:text sound:text"},
};

const ElementRule* FindRule(DataKind kind, const char* parent, const char* name) {
    for (const ElementRule& rule : kRules) {
        if (rule.kind == kind && std::strcmp(rule.parent, parent) == 0 &&
            std::strcmp(rule.name, name) == 0) {
            return &rule;
        }
    }
    return nullptr;
}

// The kind of the attribute in the rule's list; false when the rule does not name it.
bool FindAttribute(const ElementRule& rule, const std::string& name, ValueKind& kind) {
    std::istringstream words(rule.attributes);
    std::string word;
    while (words >> word) {
        const size_t colon = word.find(':');
        if (word.compare(0, colon, name) != 0 || colon != name.size()) {
            continue;
        }
        const std::string type = word.substr(colon + 1);
        kind = type == "int"     ? ValueKind::Int
               : type == "float" ? ValueKind::Float
                                 : ValueKind::Text;
        return true;
    }
    return false;
}

bool OnlyBlanks(const std::string& text) {
    for (const char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

void CheckNumber(const TiXmlAttribute& attribute, ValueKind kind, const std::string& element,
                 const std::string& file, Findings& findings) {
    std::string rest;
    std::ostringstream read;
    bool number = false;
    if (kind == ValueKind::Int) {
        long long value = 0;
        number = ScanInt(attribute.Value(), value, rest);
        read << value;
    } else {
        double value = 0.0;
        number = ScanFloat(attribute.Value(), value, rest);
        read << value;
    }
    const std::string where =
        std::string(attribute.Name()) + "=\"" + attribute.Value() + "\" on <" + element + ">";
    if (!number) {
        findings.Warning(file, attribute.Row(),
                         where + " is not a number: the game ignores it and keeps the default");
    } else if (!OnlyBlanks(rest)) {
        findings.Warning(file, attribute.Row(),
                         where + " has text after its number: the game reads it as " + read.str());
    }
}

void CheckAttributes(const TiXmlElement& element, const ElementRule& rule, const std::string& file,
                     Findings& findings) {
    for (const TiXmlAttribute* attribute = element.FirstAttribute(); attribute;
         attribute = attribute->Next()) {
        ValueKind kind = ValueKind::Text;
        if (!FindAttribute(rule, attribute->Name(), kind)) {
            findings.Warning(file, attribute->Row(),
                             std::string("unknown attribute \"") + attribute->Name() + "\" on <" +
                                 element.Value() + ">: the game ignores it");
        } else if (kind != ValueKind::Text) {
            CheckNumber(*attribute, kind, element.Value(), file, findings);
        }
    }
}

void CheckElement(DataKind kind, const TiXmlElement& element, const ElementRule& rule,
                  const std::string& file, Findings& findings) {
    CheckAttributes(element, rule, file, findings);
    for (const TiXmlElement* child = element.FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        const ElementRule* childRule = FindRule(kind, element.Value(), child->Value());
        if (!childRule) {
            findings.Warning(file, child->Row(),
                             std::string("unknown element <") + child->Value() + "> in <" +
                                 element.Value() + ">: the game ignores it");
            continue;
        }
        CheckElement(kind, *child, *childRule, file, findings);
    }
}

}  // namespace

void CheckSchema(DataKind kind, const TiXmlElement* root, const std::string& file,
                 Findings& findings) {
    if (!root) {
        return;
    }
    const ElementRule* rule = FindRule(kind, "", root->Value());
    if (rule) {
        CheckElement(kind, *root, *rule, file, findings);
    }
}

bool ScanInt(const char* text, long long& value, std::string& rest) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    if (end == text) {
        return false;
    }
    rest = end;
    return true;
}

bool ScanFloat(const char* text, double& value, std::string& rest) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    if (end == text) {
        return false;
    }
    rest = end;
    return true;
}
