// Live reload of layer sets: a layer read again replaces the one of its name, the active layer
// stays active, and a file that no longer loads leaves every layer as it was.

#include <gtest/gtest.h>

#include <string>

#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "gui/CGUITextWidget.h"
#include "support/TempDir.h"
#include "unit/GUITestSupport.h"

namespace {

std::string Layer(const std::string& name, const std::string& text) {
    return "<layer name=\"" + name + "\"><widget type=\"text\" name=\"t\" text=\"" + text +
           "\" font=\"none\"/></layer>";
}

std::string ActiveText() {
    const CGUILayer* layer = CGUI::GetInstance()->GetActiveLayer();
    if (!layer || layer->m_widgets.empty()) {
        return "<none>";
    }
    return dynamic_cast<const CGUITextWidget&>(*layer->m_widgets.front()).m_text;
}

class GUIReloadTest : public InterfaceTest {};

}  // namespace

TEST_F(GUIReloadTest, ReloadReplacesLayersAndKeepsTheActiveOne) {
    TempDir dir;
    const std::string file =
        dir.Write("hud.xml", "<layerset>" + Layer("title", "old") + Layer("hud", "h") + "</layerset>");
    CGUI* gui = CGUI::GetInstance();
    gui->LoadLayerSet(file);
    gui->SetActiveLayer("title");
    ASSERT_EQ(ActiveText(), "old");

    dir.Write("hud.xml", "<layerset>" + Layer("title", "new") + Layer("extra", "e") + "</layerset>");
    EXPECT_TRUE(gui->ReloadLayerSet(file));
    EXPECT_EQ(gui->GetActiveLayer()->GetName(), "title");
    EXPECT_EQ(ActiveText(), "new");
    EXPECT_TRUE(gui->HasLayer("hud"));
    EXPECT_TRUE(gui->HasLayer("extra"));

    dir.Write("hud.xml", "<layerset>" + Layer("title", "broken"));
    EXPECT_FALSE(gui->ReloadLayerSet(file));
    EXPECT_EQ(ActiveText(), "new");
}
