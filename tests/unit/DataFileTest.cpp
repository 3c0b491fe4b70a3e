// A data file name that names a folder: every loader refuses it as it refuses a missing file,
// with its one log line, instead of trying to read the folder. On ext4 a folder opened as a
// file reports a size near 2^63, which the XML library would try to allocate.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <filesystem>
#include <string>

#include "core/ShooterWorld.h"
#include "core/XmlRead.h"
#include "gui/CGUI.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Enter();
        std::filesystem::create_directory("folder");
    }
    void TearDown() override {
        ShooterWorld::DestroyInstance();
        CGUI::GetInstance()->UnloadAll();
    }

    TempDir m_dir;
    LogCapture m_log;
};

TEST_F(DataFileTest, LoadFileReadsARegularFile) {
    m_dir.Write("set.xml", "<spriteset/>");
    TiXmlDocument document("set.xml");
    EXPECT_TRUE(xml::LoadFile(document));
    ASSERT_NE(document.FirstChildElement("spriteset"), nullptr);
}

TEST_F(DataFileTest, LoadFileRefusesAFolderLikeAMissingFile) {
    TiXmlDocument missing("none.xml");
    ASSERT_FALSE(xml::LoadFile(missing));
    TiXmlDocument folder("folder");
    ASSERT_FALSE(xml::LoadFile(folder));
    EXPECT_TRUE(folder.Error());
    EXPECT_EQ(folder.ErrorId(), missing.ErrorId());
    EXPECT_STREQ(folder.ErrorDesc(), missing.ErrorDesc());
}

TEST_F(DataFileTest, ResourceSetLoadersLogAFolderAndLoadNothing) {
    CSpriteManager::GetInstance()->LoadSpriteSet("folder");
    CAnimationManager::GetInstance()->LoadAnimationSet("folder");
    CFontManager::GetInstance()->LoadFontSet("folder");
    EXPECT_TRUE(m_log.Contains("Sprite set file folder is missing or not valid XML"));
    EXPECT_TRUE(m_log.Contains("Animation set file folder is missing or not valid XML"));
    EXPECT_TRUE(m_log.Contains("Font set file folder is missing or not valid XML"));
}

TEST_F(DataFileTest, LayerSetFolderIsLoggedAndAddsNoLayer) {
    CGUI::GetInstance()->LoadLayerSet("folder");
    EXPECT_TRUE(m_log.Contains("Cannot load layer set file \"folder\""));
    CGUI::GetInstance()->SetActiveLayer("");
    EXPECT_EQ(CGUI::GetInstance()->GetActiveLayer(), nullptr);
}

TEST_F(DataFileTest, LevelFolderIsNotLoaded) {
    EXPECT_FALSE(ShooterWorld::GetInstance()->LoadLevel("folder"));
    EXPECT_TRUE(m_log.Contains("Level file not found: folder"));
}

TEST_F(DataFileTest, ConfigurationFolderEndsTheGame) {
    std::filesystem::create_directory("config.xml");
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Init();
    EXPECT_TRUE(world->IsQuit());
    EXPECT_TRUE(m_log.Contains("<config> xml definition not found in: config.xml"));
}

}  // namespace
