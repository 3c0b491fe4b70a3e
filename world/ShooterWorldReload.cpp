// Live reload: the data files read since start-up that changed on disk are read again while
// the game runs. The level starts again from its beginning; layer sets replace their layers;
// the sprite, animation, font and sound managers read their sets again into the items they
// made (core/DataReloader.h). A file that no longer loads leaves the version in use as it
// was. Any other file (config.xml, for one) is used from the game's next start, which the
// problems overlay and the log say.
#include "world/ShooterWorld.h"

#include <tinyxml.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "audio/CSoundManager.h"
#include "core/DataReloader.h"
#include "core/DataWatch.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "gui/CGUI.h"
#include "platform/Clock.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"

namespace {

// True when the file holds a layer set (read as CGUI reads one).
bool IsLayerSet(const std::string& path) {
    TiXmlDocument document(path.c_str());
    return xml::LoadFile(document) && xml::FirstElementOrChild(document, "layerset");
}

// The managers whose sets reload in place, in the order they read again: sprites before the
// fonts drawn with them.
std::vector<DataReloader*> Reloaders() {
    return {CSpriteManager::GetInstance(), CAnimationManager::GetInstance(),
            CFontManager::GetInstance(), CSoundManager::GetInstance()};
}

using SetFile = std::pair<DataReloader*, std::string>;

// Adds the set files the changed path concerns to sets (each once); false when it concerns
// none.
bool CollectSetFiles(const std::string& path, std::vector<SetFile>& sets) {
    bool any = false;
    for (DataReloader* reloader : Reloaders()) {
        for (const std::string& file : reloader->FilesAffectedBy(path)) {
            const SetFile set(reloader, file);
            if (std::find(sets.begin(), sets.end(), set) == sets.end()) {
                sets.push_back(set);
            }
            any = true;
        }
    }
    return any;
}

}  // namespace

void ShooterWorld::ReloadChangedData() {
    DataWatch& watch = DataWatch::Active();
    if (!watch.IsOn()) {
        return;
    }
    std::vector<SetFile> sets;
    for (const std::string& path : watch.Changed(timeGetTime())) {
        // Reading the file again reports its problems anew.
        m_problems.Forget(path);
        if (path == m_level.File()) {
            LogMessage("Reloading the level %s: it starts again from its beginning\n",
                       path.c_str());
            m_ring.NoteSceneChange();
            m_level.Reload();
        } else if (CollectSetFiles(path, sets)) {
            LogMessage("%s changed\n", path.c_str());
        } else if (IsLayerSet(path)) {
            LogMessage("Reloading the layer set %s\n", path.c_str());
            CGUI::GetInstance()->ReloadLayerSet(path);
        } else {
            ReportProblem(path, 0, "%s changed: restart the game to use it\n",
                          path.c_str());
        }
    }
    // A sheet's problems are reported at its set file's line: the set's go too.
    for (const SetFile& set : sets) {
        m_problems.Forget(set.second);
    }
    for (const SetFile& set : sets) {
        LogMessage("Reloading %s\n", set.second.c_str());
        set.first->Reload(set.second);
    }
    if (!sets.empty()) {
        m_ring.NoteSceneChange();
    }
}
