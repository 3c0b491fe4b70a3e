// Live reload: the data files read since start-up that changed on disk are read again while
// the game runs. The level starts again from its beginning; layer sets replace their layers.
// A file that no longer loads leaves the version in use as it was.
#include "world/ShooterWorld.h"

#include <tinyxml.h>

#include <string>

#include "core/DataWatch.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "gui/CGUI.h"
#include "platform/Clock.h"

namespace {

// True when the file holds a layer set (read as CGUI reads one).
bool IsLayerSet(const std::string& path) {
    TiXmlDocument document(path.c_str());
    return xml::LoadFile(document) && xml::FirstElementOrChild(document, "layerset");
}

}  // namespace

void ShooterWorld::ReloadChangedData() {
    DataWatch& watch = DataWatch::Active();
    if (!watch.IsOn()) {
        return;
    }
    for (const std::string& path : watch.Changed(timeGetTime())) {
        // Reading the file again reports its problems anew.
        m_problems.Forget(path);
        if (path == m_level.File()) {
            LogMessage("Reloading the level %s: it starts again from its beginning\n",
                       path.c_str());
            m_ring.NoteSceneChange();
            m_level.Reload();
        } else if (IsLayerSet(path)) {
            LogMessage("Reloading the layer set %s\n", path.c_str());
            CGUI::GetInstance()->ReloadLayerSet(path);
        } else {
            LogMessage("%s changed: it is not reloaded while the game runs\n", path.c_str());
        }
    }
}
