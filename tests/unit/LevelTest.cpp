// Level loading from files on disk.
#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "game/ShooterEnemy.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using gametest::RegisterSprite;
using gametest::WorldFixture;

namespace {

class LevelTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ship = RegisterSprite("levelship", 32, 16)->m_name;
        front = RegisterSprite("levelfront", 256, 64)->m_name;
    }

    std::string Camera() const {
        return "<camera><position x='0' y='0'/><velocity x='2' y='0'/>"
               "<size x='1024' y='512'/></camera>";
    }
    std::string Player() const {
        return "<player><position x='50' y='200'/><scale x='1' y='1'/><velocity x='0' y='0'/>"
               "<sprite name='" +
               ship + "' frame='0'/><projectile sprite='" + ship + "' speed='10'/></player>";
    }
    std::string Background() const {
        return "<bg><position x='0' y='0'/><sprite back='" + front + "' bspeed='1' middle='" +
               front + "' mspeed='2' front='" + front + "' fspeed='3'/></bg>";
    }
    static std::string Enemy(const std::string& name, int time) {
        return "<enemy name='" + name + "' time='" + std::to_string(time) +
               "'><behaviour type='normal'/><projectile shoots='no'/>"
               "<position x='0' y='100'/><scale x='1' y='1'/><direction x='-1' y='0' "
               "speed='2'/><sprite name='x'/></enemy>";
    }

    std::string Write(const std::string& body) {
        return dir.Write("level.xml", "<level name='test'>" + body + "</level>");
    }

    TempDir dir;
    std::string ship;
    std::string front;
};

}  // namespace

TEST_F(LevelTest, BuildsTheWorldFromAFullLevel) {
    LogCapture log;
    const std::string path =
        Write(Camera() + Player() + Background() + Enemy("b", 900) + Enemy("a", 100));
    EXPECT_TRUE(world->LoadLevel(path));
    EXPECT_EQ(world->Level().Name(), "test");
    ASSERT_NE(world->GetCamera(), nullptr);
    EXPECT_EQ(world->GetCamera()->m_velocity.x, 2.0f);
    ASSERT_NE(world->GetPlayer(), nullptr);
    EXPECT_EQ(world->GetPlayer()->GetPosition().x, 50.0f);
    ASSERT_NE(world->GetBackground(), nullptr);
    EXPECT_EQ(world->GetBackground()->m_frontSpeed, 3.0f);
    ASSERT_EQ(world->Level().EnemyList().size(), 2u);
    EXPECT_EQ(world->Level().EnemyList()[0]->m_name, "b");
    EXPECT_EQ(world->Level().EnemyList()[1]->m_name, "a");
    EXPECT_FALSE(world->Level().EnemyList()[0]->m_active);
}

TEST_F(LevelTest, TheOrderOfTheBlocksDoesNotMatter) {
    EXPECT_TRUE(world->LoadLevel(Write(Background() + Enemy("a", 1) + Player() + Camera())));
    EXPECT_NE(world->GetCamera(), nullptr);
    EXPECT_NE(world->GetPlayer(), nullptr);
    EXPECT_EQ(world->GetBackground()->GetFrontBox().right, 256.0f);
    EXPECT_EQ(world->Level().EnemyList().size(), 1u);
}

TEST_F(LevelTest, ALevelWithoutEnemiesLoadsWithAnEmptyList) {
    EXPECT_TRUE(world->LoadLevel(Write(Camera() + Player() + Background())));
    EXPECT_TRUE(world->Level().EnemyList().empty());
}

TEST_F(LevelTest, AMissingFileIsReported) {
    LogCapture log;
    EXPECT_FALSE(world->LoadLevel(dir.Path() + "/nothere.xml"));
    EXPECT_TRUE(log.Contains("Level file not found: " + dir.Path() + "/nothere.xml\n"));
    EXPECT_EQ(world->GetPlayer(), nullptr);
}

TEST_F(LevelTest, AFileWithoutALevelElementIsReported) {
    LogCapture log;
    const std::string path = dir.Write("other.xml", "<stage name='x'/>");
    EXPECT_FALSE(world->LoadLevel(path));
    EXPECT_TRUE(log.Contains("Level root node not found in: " + path + "\n"));
}

TEST_F(LevelTest, APlayerWithoutCameraOrBackgroundIsRefusedWhole) {
    LogCapture log;
    const std::string noCamera = Write(Player() + Background() + Enemy("a", 1));
    EXPECT_FALSE(world->LoadLevel(noCamera));
    EXPECT_TRUE(log.Contains("no camera"));
    EXPECT_TRUE(log.Contains(noCamera));
    EXPECT_EQ(world->GetPlayer(), nullptr);
    EXPECT_EQ(world->GetBackground(), nullptr);
    EXPECT_TRUE(world->Level().EnemyList().empty());
    log.Clear();
    EXPECT_FALSE(world->LoadLevel(Write(Camera() + Player())));
    EXPECT_TRUE(log.Contains("no background"));
    EXPECT_EQ(world->GetCamera(), nullptr);
    // The refused level leaves a world that updates without a level.
    float dt = 31.0f;
    world->Session().SetPaused(false);
    world->UpdateWorld(dt);
}

TEST_F(LevelTest, MissingNameAndPartsAreLoggedWithTheFile) {
    LogCapture log;
    const std::string path = dir.Write("level.xml",
                                       "<level><camera><position x='1'/></camera>"
                                       "</level>");
    EXPECT_TRUE(world->LoadLevel(path));
    EXPECT_TRUE(log.Contains("Missing attribute \"name\" of <level> in " + path));
    EXPECT_TRUE(log.Contains("ShooterCamera: Missing element <velocity> in <camera> of " + path));
    EXPECT_TRUE(log.Contains("<size>"));
    EXPECT_EQ(world->GetCamera()->GetPosition().x, 1.0f);
    EXPECT_EQ(world->Level().Name(), "");
}

TEST_F(LevelTest, BackslashesInTheLevelPathAreReadAsSlashes) {
    const std::string path = Write(Camera() + Player() + Background());
    std::string windowsPath = path;
    windowsPath[windowsPath.rfind('/')] = '\\';
    EXPECT_TRUE(world->LoadLevel(windowsPath));
}
