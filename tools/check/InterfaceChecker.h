#pragma once
// Checks the interface: layer set files with their layers and widgets, and every place that
// names a layer (buttons, the configuration's default, game-over and game-complete layers).
// Layer names are resolved once every layer set is read, since a button may name a layer of
// a later file.

#include <string>
#include <vector>

#include "tools/check/CheckContext.h"

class ResourceChecker;
class TiXmlElement;

class InterfaceChecker {
public:
    InterfaceChecker(CheckContext& context, const ResourceChecker& resources)
        : m_context(context), m_resources(resources) {}

    void CheckLayerSet(const std::string& path, const Place& from);
    // Notes a use of a layer name, checked by CheckLayerNames.
    void UseLayer(const std::string& name, const Place& at, const std::string& role);
    // Reports every noted layer name that no layer has.
    void CheckLayerNames() const;

private:
    struct LayerUse {
        std::string name;
        Place at;
        std::string role;
    };

    void CheckWidget(const TiXmlElement* widget, const std::string& file);
    void CheckButton(const TiXmlElement* widget, const std::string& file);
    void CheckImage(const TiXmlElement* widget, const std::string& file, bool spriteRequired);
    void CheckMeter(const TiXmlElement* widget, const std::string& file);
    // An options row (slider, toggle, keycapture): its font and label, and a known option.
    void CheckOption(const TiXmlElement* widget, const std::string& file);
    void CheckText(const TiXmlElement* widget, const std::string& file);

    CheckContext& m_context;
    const ResourceChecker& m_resources;
    std::vector<LayerUse> m_layerUses;
};
