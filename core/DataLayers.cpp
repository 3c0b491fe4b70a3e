#include "core/DataLayers.h"

#include <tinyxml.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/DataPath.h"
#include "core/DataWatch.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace {

bool HasParentPart(const std::string& path) {
    const fs::path parts(NormalizeDataPath(path));
    return std::any_of(parts.begin(), parts.end(),
                       [](const fs::path& part) { return part == ".."; });
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(platform::NativePath(path), error);
}

// about.xml's <name> (an attribute or the element's text), or "" without one.
std::string AboutName(const std::string& folder) {
    const std::string about = folder + "/about.xml";
    if (!IsFile(about)) {
        return "";
    }
    TiXmlDocument document(about.c_str());
    if (!xml::LoadFile(document)) {
        return "";
    }
    const TiXmlElement* root = document.FirstChildElement("mod");
    const TiXmlElement* name = xml::Child(root, "name");
    if (const char* value = xml::OptionalText(root, "name")) {
        return value;
    }
    return xml::Text(name);
}

}  // namespace

DataLayers& DataLayers::Active() {
    static DataLayers layers;
    return layers;
}

bool DataLayers::AddMod(const std::string& folder) {
    if (HasParentPart(folder)) {
        LogMessage("Mod %s refused: its path has a \"..\" part\n", folder.c_str());
        return false;
    }
    std::error_code error;
    const fs::path native = platform::NativePath(folder);
    if (!fs::is_directory(native, error)) {
        LogMessage("Mod %s is not a folder: the game runs without it\n", folder.c_str());
        return false;
    }
    fs::directory_iterator probe(native, error);
    if (error) {
        LogMessage("Mod %s cannot be read (%s): the game runs without it\n", folder.c_str(),
                   error.message().c_str());
        return false;
    }
    Mod mod{NormalizeDataPath(folder), AboutName(folder)};
    if (mod.name.empty()) {
        mod.name = native.filename().empty() ? native.parent_path().filename().u8string()
                                             : native.filename().u8string();
    }
    LogMessage("Mod %s from %s\n", mod.name.c_str(), mod.folder.c_str());
    LogFiles(mod);
    m_mods.push_back(mod);
    return true;
}

void DataLayers::LogFiles(const Mod& mod) const {
    std::error_code error;
    const fs::path root = platform::NativePath(mod.folder);
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) {
            continue;
        }
        const std::string relative = it->path().lexically_relative(root).generic_u8string();
        if (relative == "about.xml") {
            continue;
        }
        const int below = Find(relative);
        const std::string replaced =
            below < 0 ? relative : m_mods[static_cast<size_t>(below)].folder + "/" + relative;
        if (IsFile(replaced)) {
            LogMessage("Mod %s replaces %s (from %s)\n", mod.name.c_str(), relative.c_str(),
                       LayerOf(relative).c_str());
        } else {
            LogMessage("Mod %s adds %s\n", mod.name.c_str(), relative.c_str());
        }
    }
}

void DataLayers::AddInstalledMods(const std::string& installed,
                                  const std::vector<std::string>& off) {
    for (const std::string& name : InstalledNames(installed)) {
        if (std::find(off.begin(), off.end(), name) != off.end()) {
            LogMessage("Mod %s is installed and turned off in the settings\n", name.c_str());
            continue;
        }
        AddMod((fs::path(platform::NativePath(installed)) / platform::NativePath(name)).u8string());
    }
}

std::vector<std::string> DataLayers::InstalledNames(const std::string& installed) {
    std::vector<std::string> names;
    std::error_code error;
    const fs::path root = platform::NativePath(installed);
    if (installed.empty() || !fs::is_directory(root, error)) {
        return names;
    }
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory(error)) {
            names.push_back(it->path().filename().u8string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void DataLayers::Clear() { m_mods.clear(); }

int DataLayers::Find(const std::string& path) const {
    if (path.empty() || HasParentPart(path) || fs::path(path).is_absolute()) {
        return -1;
    }
    const std::string relative = NormalizeDataPath(path);
    for (size_t i = m_mods.size(); i-- > 0;) {
        if (IsFile(m_mods[i].folder + "/" + relative)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string DataLayers::Resolve(const std::string& path) const {
    const std::string resolved = Locate(path);
    DataWatch::Active().Note(path, resolved);
    return resolved;
}

std::string DataLayers::Locate(const std::string& path) const {
    const int mod = Find(path);
    return mod < 0 ? path
                   : m_mods[static_cast<size_t>(mod)].folder + "/" + NormalizeDataPath(path);
}

std::string DataLayers::LayerOf(const std::string& path) const {
    const int mod = Find(path);
    return mod < 0 ? "data" : m_mods[static_cast<size_t>(mod)].name;
}

std::vector<std::string> DataLayers::ModNames() const {
    std::vector<std::string> names;
    for (const Mod& mod : m_mods) {
        names.push_back(mod.name);
    }
    return names;
}

std::string DataLayers::InstalledFolder() {
    const std::string folder = platform::GameDataFolder();
    return folder.empty() ? "" : folder + "/mods";
}
