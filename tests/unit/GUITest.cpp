// The interface manager and its layers: loading layer sets, the duplicate-name rule, which
// layer is active, the pointer state and the forwarding of input to the active layer only.

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>

#include "gui/CGUI.h"
#include "gui/CGUIButtonWidget.h"
#include "gui/CGUILayer.h"
#include "gui/CGUITextWidget.h"
#include "gui/GUIInput.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "unit/GUITestSupport.h"

namespace {

GUIMouseInput Mouse(int x, int y, int kind) {
    GUIMouseInput input;
    input.x = x;
    input.y = y;
    input.kind = kind;
    return input;
}

std::string TextLayer(const std::string& name, const std::string& widgetName) {
    return "<layer name=\"" + name + "\"><widget type=\"text\" name=\"" + widgetName +
           "\" text=\"hi\" font=\"none\"/></layer>";
}

std::string ButtonXml(const std::string& name, int x, int y, const std::string& extra) {
    return "<widget type=\"button\" name=\"" + name + "\" " + extra + "><position x=\"" +
           std::to_string(x) + "\" y=\"" + std::to_string(y) +
           "\"/><sprite name=\"btn\" normalFrame=\"0\" hoverFrame=\"1\" "
           "depressFrame=\"2\"/></widget>";
}

class GUITest : public InterfaceTest {
protected:
    // Loads a "guicfg" element naming the given files and default layer.
    void LoadConfig(const std::string& guicfg) {
        XmlText config(guicfg);
        CGUI::GetInstance()->Load(TiXmlHandle(const_cast<TiXmlElement*>(config.Root())));
    }
    std::string ActiveName() const {
        CGUILayer* layer = CGUI::GetInstance()->GetActiveLayer();
        return layer ? layer->GetName() : std::string("<none>");
    }

    TempDir m_dir;
    CGUI* m_gui = CGUI::GetInstance();
};

TEST_F(GUITest, LoadsEveryLayerSetAndActivatesTheDefault) {
    m_dir.Write("a.xml",
                "<layerset>" + TextLayer("menu", "m") + TextLayer("hud", "h") + "</layerset>");
    m_dir.Write("b.xml", "<layerset>" + TextLayer("over", "o") + "</layerset>");
    LoadConfig("<guicfg default=\"hud\"><layersetfile>" + m_dir.Path() +
               "/a.xml</layersetfile><other/><layersetfile>" + m_dir.Path() +
               "/b.xml</layersetfile></guicfg>");
    EXPECT_EQ(ActiveName(), "hud");
    m_gui->SetActiveLayer("over");
    EXPECT_EQ(ActiveName(), "over");
    m_gui->SetActiveLayer("menu");
    EXPECT_EQ(ActiveName(), "menu");
}

TEST_F(GUITest, LayerSetMayBeAChildOfTheFirstElement) {
    const std::string file = m_dir.Write(
        "a.xml", "<interface><layerset>" + TextLayer("hud", "h") + "</layerset></interface>");
    m_gui->LoadLayerSet(file);
    m_gui->SetActiveLayer("hud");
    EXPECT_EQ(ActiveName(), "hud");
}

// The document's first element is the set when it is named "layerset"; otherwise the set is
// its first "layerset" child. A "layerset" after a first element of another name is not.
TEST_F(GUITest, LayerSetIsTheFirstElementOrItsFirstLayerSetChild) {
    const std::string afterOther =
        m_dir.Write("a.xml", "<a><layerset>" + TextLayer("A", "a") + "</layerset></a><layerset>" +
                                 TextLayer("B", "b") + "</layerset>");
    m_gui->LoadLayerSet(afterOther);
    EXPECT_TRUE(m_gui->HasLayer("A"));
    EXPECT_FALSE(m_gui->HasLayer("B"));
    m_gui->UnloadAll();

    const std::string first =
        m_dir.Write("b.xml", "<layerset>" + TextLayer("B", "b") + "</layerset><a><layerset>" +
                                 TextLayer("A", "a") + "</layerset></a>");
    m_gui->LoadLayerSet(first);
    EXPECT_TRUE(m_gui->HasLayer("B"));
    EXPECT_FALSE(m_gui->HasLayer("A"));
    m_gui->UnloadAll();

    const std::string onlyAtTop =
        m_dir.Write("c.xml", "<a/><layerset>" + TextLayer("B", "b") + "</layerset>");
    LogCapture log;
    m_gui->LoadLayerSet(onlyAtTop);
    EXPECT_FALSE(m_gui->HasLayer("B"));
    EXPECT_EQ(log.Text(), "CGUI: No <layerset> element in layer set file \"" + onlyAtTop + "\"\n");
}

// Layer set files named with '\' load as every other data path does.
TEST_F(GUITest, LayerSetFileNamesReadBackslashesAsSlashes) {
    m_dir.Write("gui/title.xml", "<layerset><layer name=\"title\"/></layerset>");
    m_dir.Enter();
    LogCapture log;
    LoadConfig("<guicfg default=\"title\"><layersetfile>gui\\title.xml</layersetfile></guicfg>");
    EXPECT_EQ(ActiveName(), "title");
    EXPECT_EQ(log.Text(), "");
}

// A layer the configuration or a button switches to, that no layer set defines, would never
// show: each such name is logged once, when the layer sets are loaded.
TEST_F(GUITest, UnknownDefaultAndButtonTargetLayersAreLogged) {
    AddTestSprite("btn", 10, 10);
    m_dir.Write("a.xml", "<layerset><layer name=\"menu\">" +
                             ButtonXml("play", 0, 0, "layer=\"hud\"") +
                             ButtonXml("scores", 0, 20, "layer=\"scores\"") +
                             ButtonXml("quit", 0, 40, "event=\"quit\"") + "</layer></layerset>");
    m_dir.Write("b.xml", "<layerset><layer name=\"hud\"/></layerset>");
    LogCapture log;
    LoadConfig("<guicfg default=\"titel\"><layersetfile>" + m_dir.Path() +
               "/a.xml</layersetfile><layersetfile>" + m_dir.Path() +
               "/b.xml</layersetfile></guicfg>");
    EXPECT_EQ(log.Text(),
              "CGUI: Default layer \"titel\" is not defined in any layer set\n"
              "CGUI: Layer \"scores\" of button \"scores\" in layer \"menu\" is not defined in "
              "any layer set\n");
    m_gui->UnloadAll();
    log.Clear();
    LoadConfig("<guicfg default=\"menu\"><layersetfile>" + m_dir.Path() +
               "/b.xml</layersetfile><layersetfile>" + m_dir.Path() +
               "/a.xml</layersetfile></guicfg>");
    EXPECT_EQ(ActiveName(), "menu");
    EXPECT_EQ(log.Text(),
              "CGUI: Layer \"scores\" of button \"scores\" in layer \"menu\" is not defined in "
              "any layer set\n");
}

// With no layer loaded there is no interface: only the missing file is logged.
TEST_F(GUITest, WithoutAnyLayerNoLayerNameIsChecked) {
    LogCapture log;
    LoadConfig("<guicfg default=\"title\"><layersetfile>" + m_dir.Path() +
               "/absent.xml</layersetfile></guicfg>");
    EXPECT_EQ(log.Text(), "CGUI: Cannot load layer set file \"" + m_dir.Path() +
                              "/absent.xml\": Failed to open file\n");
}

TEST_F(GUITest, DuplicateLayerNameAcrossFilesIsLoggedAndTheFirstWins) {
    const std::string a =
        m_dir.Write("a.xml", "<layerset>" + TextLayer("hud", "first") + "</layerset>");
    const std::string b =
        m_dir.Write("b.xml", "<layerset>" + TextLayer("hud", "second") + "</layerset>");
    LogCapture log;
    m_gui->LoadLayerSet(a);
    m_gui->LoadLayerSet(b);
    EXPECT_TRUE(log.Contains("CGUI: GUI Layer of name \"hud\" already exists in GUI layer list.\n"))
        << log.Text();
    m_gui->SetActiveLayer("hud");
    CGUILayer* layer = m_gui->GetActiveLayer();
    ASSERT_NE(layer, nullptr);
    ASSERT_EQ(layer->m_widgets.size(), 1u);
    EXPECT_EQ(layer->m_widgets[0]->GetName(), "first");
}

TEST_F(GUITest, UnknownLayerNameKeepsTheActiveLayer) {
    m_gui->LoadLayerSet(m_dir.Write("a.xml", "<layerset>" + TextLayer("hud", "h") + "</layerset>"));
    m_gui->SetActiveLayer("hud");
    LogCapture log;
    m_gui->SetActiveLayer("nosuchlayer");
    EXPECT_EQ(ActiveName(), "hud");
    EXPECT_EQ(log.Text(), "");
}

TEST_F(GUITest, MissingLayerSetFileIsLoggedWithItsName) {
    LogCapture log;
    m_gui->LoadLayerSet(m_dir.Path() + "/missing.xml");
    EXPECT_TRUE(log.Contains("CGUI: ")) << log.Text();
    EXPECT_TRUE(log.Contains("missing.xml")) << log.Text();
    EXPECT_EQ(ActiveName(), "<none>");
}

TEST_F(GUITest, InvalidXmlLayerSetIsLoggedWithItsName) {
    const std::string file = m_dir.Write("broken.xml", "<layerset><layer name=\"a\">");
    LogCapture log;
    m_gui->LoadLayerSet(file);
    EXPECT_TRUE(log.Contains("CGUI: ")) << log.Text();
    EXPECT_TRUE(log.Contains("broken.xml")) << log.Text();
}

TEST_F(GUITest, FileWithoutLayerSetElementIsLogged) {
    const std::string file = m_dir.Write("other.xml", "<something><layer name=\"a\"/></something>");
    LogCapture log;
    m_gui->LoadLayerSet(file);
    m_gui->SetActiveLayer("a");
    EXPECT_TRUE(log.Contains("other.xml")) << log.Text();
    EXPECT_EQ(ActiveName(), "<none>");
}

TEST_F(GUITest, MissingGuiConfigurationLogsOneLineAndLoadsNothing) {
    LogCapture log;
    m_gui->Load(TiXmlHandle(static_cast<TiXmlNode*>(nullptr)));
    const std::string text = log.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_EQ(text.rfind("CGUI: ", 0), 0u) << text;
    EXPECT_EQ(ActiveName(), "<none>");
}

TEST_F(GUITest, ConfigurationWithoutFilesActivatesNothing) {
    LoadConfig("<guicfg default=\"hud\"/>");
    EXPECT_EQ(ActiveName(), "<none>");
}

TEST_F(GUITest, WidgetWithMissingOrUnknownTypeIsLoggedAndSkipped) {
    const std::string file = m_dir.Write(
        "a.xml",
        "<layerset><layer name=\"hud\"><widget name=\"notype\"/>"
        "<widget type=\"Button\" name=\"wrongcase\"/>"
        "<widget type=\"text\" name=\"kept\" text=\"x\" font=\"f\"/></layer></layerset>");
    LogCapture log;
    m_gui->LoadLayerSet(file);
    EXPECT_TRUE(log.Contains("CGUILayer: Widget without \"type\"")) << log.Text();
    EXPECT_TRUE(log.Contains("CGUILayer: Unknown widget type \"Button\"")) << log.Text();
    m_gui->SetActiveLayer("hud");
    ASSERT_NE(m_gui->GetActiveLayer(), nullptr);
    ASSERT_EQ(m_gui->GetActiveLayer()->m_widgets.size(), 1u);
    EXPECT_EQ(m_gui->GetActiveLayer()->m_widgets[0]->GetName(), "kept");
    EXPECT_TRUE(m_gui->GetActiveLayer()->m_widgets[0]->IsVisible());
}

TEST_F(GUITest, LayerWithoutWidgetsDoesNothing) {
    m_gui->LoadLayerSet(m_dir.Write("a.xml", "<layerset><layer name=\"empty\"/></layerset>"));
    m_gui->SetActiveLayer("empty");
    float dt = 31.0f;
    m_gui->Update(dt);
    m_gui->Render();
    GUIMouseInput click = Mouse(10, 10, 2);
    m_gui->HandleMouse(click);
    EXPECT_TRUE(Deliver().empty());
}

TEST_F(GUITest, WithoutAnActiveLayerCallsDoNothingButThePointerIsRecorded) {
    float dt = 31.0f;
    m_gui->Update(dt);
    m_gui->Render();
    GUIKeyInput key;
    key.key = 'q';
    key.kind = 1;
    m_gui->HandleKey(key);
    GUIMouseInput press = Mouse(5, 6, 1);
    m_gui->HandleMouse(press);
    EXPECT_TRUE(m_gui->IsLeftButtonDown());
    EXPECT_EQ(m_gui->GetMousePosition().x, 5.0f);
    EXPECT_EQ(m_gui->GetMousePosition().y, 6.0f);
}

TEST_F(GUITest, OnlyLeftButtonRecordsChangeTheButtonState) {
    GUIMouseInput press = Mouse(1, 2, 1);
    m_gui->HandleMouse(press);
    GUIMouseInput move = Mouse(30, 40, 7);
    m_gui->HandleMouse(move);
    EXPECT_TRUE(m_gui->IsLeftButtonDown());
    EXPECT_EQ(m_gui->GetMousePosition().x, 30.0f);
    GUIMouseInput rightUp = Mouse(50, 60, 5);
    m_gui->HandleMouse(rightUp);
    EXPECT_TRUE(m_gui->IsLeftButtonDown());
    EXPECT_EQ(m_gui->GetMousePosition().y, 60.0f);
    GUIMouseInput release = Mouse(7, 8, 2);
    m_gui->HandleMouse(release);
    EXPECT_FALSE(m_gui->IsLeftButtonDown());
    GUIMouseInput rightDown = Mouse(9, 9, 4);
    m_gui->HandleMouse(rightDown);
    EXPECT_FALSE(m_gui->IsLeftButtonDown());
}

TEST_F(GUITest, InputGoesToTheActiveLayerOnly) {
    AddTestSprite("btn", 64, 32);
    m_gui->LoadLayerSet(m_dir.Write(
        "a.xml", "<layerset><layer name=\"one\">" + ButtonXml("b1", 0, 0, "event=\"first\"") +
                     "</layer><layer name=\"two\">" + ButtonXml("b2", 0, 0, "event=\"second\"") +
                     "</layer></layerset>"));
    m_gui->SetActiveLayer("two");
    GUIMouseInput release = Mouse(10, 10, 2);
    m_gui->HandleMouse(release);
    EXPECT_EQ(Deliver(), std::vector<std::string>({"second"}));
}

TEST_F(GUITest, ALayerSwitchTakesEffectAfterTheClickHasReachedEveryWidget) {
    AddTestSprite("btn", 64, 32);
    m_gui->LoadLayerSet(m_dir.Write(
        "a.xml", "<layerset><layer name=\"one\">" + ButtonXml("go", 0, 0, "layer=\"two\"") +
                     ButtonXml("after", 0, 0, "event=\"still-one\"") +
                     "</layer><layer name=\"two\">" + ButtonXml("b2", 0, 0, "event=\"two\"") +
                     "</layer></layerset>"));
    m_gui->SetActiveLayer("one");
    GUIMouseInput release = Mouse(10, 10, 2);
    m_gui->HandleMouse(release);
    EXPECT_EQ(ActiveName(), "two");
    EXPECT_EQ(Deliver(), std::vector<std::string>({"still-one"}));
}

TEST_F(GUITest, UnloadAllLeavesNoActiveLayer) {
    m_gui->LoadLayerSet(m_dir.Write("a.xml", "<layerset>" + TextLayer("hud", "h") + "</layerset>"));
    m_gui->SetActiveLayer("hud");
    m_gui->UnloadAll();
    EXPECT_EQ(ActiveName(), "<none>");
    m_gui->SetActiveLayer("hud");
    EXPECT_EQ(ActiveName(), "<none>");
}

}  // namespace
