// Reading data files. A name that names a folder: every loader refuses it as it refuses a
// missing file, with its one log line, instead of trying to read the folder (on ext4 a folder
// opened as a file reports a size near 2^63, which the XML library would try to allocate).
// A file that ends inside a multi-byte UTF-8 character: the XML library steps over the end of
// the text by the rest of the character, so the text is read to its end and no further.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/XmlRead.h"
#include "gui/CGUI.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/ShooterWorld.h"

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

// Writes bytes (which may hold zero bytes) to a file of the test folder.
void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

// The document as text, to compare two readings of one file.
std::string Printed(const TiXmlDocument& document) {
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.CStr() + std::string(document.Error() ? "error: " : "ok: ") +
           document.ErrorDesc();
}

const char* const kDeclaration = "<?xml version=\"1.0\"?>";

TEST_F(DataFileTest, TextEndingInsideACharacterEndsThere) {
    // The text ends (at its first zero byte, as in the library) halfway through a two-byte
    // character; what follows must not be read as part of the document.
    WriteBytes("cut.xml", kDeclaration + std::string("<a>x\xD7\0<b/></a>", 14));
    TiXmlDocument document("cut.xml");
    EXPECT_FALSE(xml::LoadFile(document));
    const TiXmlElement* a = document.FirstChildElement("a");
    EXPECT_TRUE(a == nullptr || a->FirstChildElement("b") == nullptr);
}

TEST_F(DataFileTest, FileEndingInsideACharacterIsAnUnfinishedDocument) {
    WriteBytes("end.xml", kDeclaration + std::string("<a>x\xD7"));
    TiXmlDocument document("end.xml");
    EXPECT_FALSE(xml::LoadFile(document));
    EXPECT_TRUE(document.Error());
}

TEST_F(DataFileTest, OrdinaryFilesReadAsTheLibraryReadsThem) {
    const std::string contents[] = {
        "",
        "<a>\r\n<b x=\"1\r\n2\">t\r\nu\ru</b>\r</a>\r\n",
        "\xEF\xBB\xBF<a><b>caf\xC3\xA9</b></a>",
        kDeclaration + std::string("<a>\xE2\x82\xAC &amp; &#x41;</a>"),
        "<a><b></a>",
        "not xml",
    };
    for (const std::string& content : contents) {
        WriteBytes("same.xml", content);
        TiXmlDocument ours("same.xml");
        TiXmlDocument library("same.xml");
        EXPECT_EQ(xml::LoadFile(ours), library.LoadFile()) << content;
        EXPECT_EQ(Printed(ours), Printed(library)) << content;
    }
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
