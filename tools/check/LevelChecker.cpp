#include "tools/check/LevelChecker.h"

#include <tinyxml.h>

#include <sstream>

#include "audio/CSoundManager.h"
#include "core/XmlRead.h"
#include "resources/CAnimationManager.h"
#include "resources/CSprite.h"
#include "tools/check/QuietLog.h"
#include "tools/check/ResourceChecker.h"

namespace {

const char* const kBehaviours[] = {"", "normal", "oscillate", "oscillating", "curve"};

bool KnownBehaviour(const std::string& type) {
    for (const char* name : kBehaviours) {
        if (type == name) {
            return true;
        }
    }
    return false;
}

std::string Seconds(double milliseconds) {
    std::ostringstream text;
    text.precision(1);
    text << std::fixed << milliseconds / 1000.0 << " s";
    return text.str();
}

}  // namespace

bool LevelChecker::CheckLevel(const std::string& path, const Place& from) {
    m_model.file = path;
    std::unique_ptr<TiXmlDocument> document = m_context.Open(path, from);
    if (!document) {
        return false;
    }
    const TiXmlElement* level = document->FirstChildElement("level");
    if (!level) {
        m_context.Error({path, 1}, "no <level> element at the top: the game loads no level");
        return false;
    }
    CheckSchema(DataKind::Level, level, path, m_context.findings);
    const Place at = PlaceOf(path, level);
    if (!level->Attribute("name")) {
        m_context.Error(at, "<level> has no \"name\"");
    }
    // An empty name is no music; any other must be a music track of the set, not a sample.
    const std::string music = AttributeText(level, "music");
    if (!music.empty() && m_context.soundsLoaded && m_context.musicTracks.count(music) == 0) {
        m_context.Error(at, UnknownMusicText(music));
    }
    for (const char* part : {"player", "camera", "bg"}) {
        if (!xml::Child(level, part)) {
            m_context.Error(at, std::string("level has no <") + part +
                                    (part == std::string("player")
                                         ? ">: nothing moves and nothing is drawn"
                                         : ">: the game refuses a level with a player without it"));
        }
    }
    CheckPlayer(xml::Child(level, "player"));
    CheckBackground(xml::Child(level, "bg"));
    BuildModel(level);
    size_t index = 0;
    xml::ForEachChild(level, "enemy", [&](const TiXmlElement* element) {
        CheckEnemy(element, *m_model.enemies[index++]);
    });
    return true;
}

void LevelChecker::BuildModel(const TiXmlElement* level) {
    // The game's own loaders, as the level loader calls them; their log is silenced since
    // every problem they would log is reported here with its line.
    QuietLog quiet;
    if (const TiXmlElement* camera = xml::Child(level, "camera")) {
        m_model.camera = std::make_unique<ShooterCamera>();
        m_model.camera->Load(camera);
    }
    if (const TiXmlElement* bg = xml::Child(level, "bg")) {
        m_model.background = std::make_unique<ShooterBackground>();
        m_model.background->Load(bg);
    }
    xml::ForEachChild(level, "enemy", [this](const TiXmlElement* element) {
        auto enemy = std::make_unique<ShooterEnemy>();
        enemy->Load(element);
        m_model.enemies.push_back(std::move(enemy));
        m_model.enemyLines.push_back(element->Row());
    });
}

const CSprite* LevelChecker::CheckLook(const TiXmlElement* actor) {
    const Place at = PlaceOf(m_model.file, actor);
    const TiXmlElement* sprite = xml::Child(actor, "sprite");
    if (!sprite) {
        m_context.Error(at, std::string("<") + actor->Value() + "> has no <sprite>");
        return nullptr;
    }
    const Place spriteAt = PlaceOf(m_model.file, sprite);
    const CSprite* found = m_resources.UseSprite(AttributeText(sprite, "name"), spriteAt);
    int frame = 0;
    xml::ReadInt(sprite, "frame", frame);
    m_resources.UseFrame(found, frame, spriteAt);
    if (const TiXmlElement* animation = xml::Child(actor, "animation")) {
        m_resources.UseAnimation(AttributeText(animation, "name"),
                                 AttributeText(animation, "action"), found,
                                 PlaceOf(m_model.file, animation));
    }
    return found;
}

void LevelChecker::CheckPlayer(const TiXmlElement* player) {
    if (!player) {
        return;
    }
    CheckLook(player);
    const TiXmlElement* projectile = xml::Child(player, "projectile");
    if (!projectile) {
        m_context.Error(PlaceOf(m_model.file, player), "<player> has no <projectile>");
        return;
    }
    m_resources.UseSprite(AttributeText(projectile, "sprite"), PlaceOf(m_model.file, projectile),
                          "projectile sprite");
}

void LevelChecker::CheckBackground(const TiXmlElement* bg) {
    if (!bg) {
        return;
    }
    const TiXmlElement* sprite = xml::Child(bg, "sprite");
    if (!sprite) {
        m_context.Error(PlaceOf(m_model.file, bg), "<bg> has no <sprite>");
        return;
    }
    const Place at = PlaceOf(m_model.file, sprite);
    m_resources.UseSprite(AttributeText(sprite, "back"), at, "back layer");
    m_resources.UseSprite(AttributeText(sprite, "middle"), at, "middle layer");
    m_resources.UseSprite(AttributeText(sprite, "front"), at, "front layer");
}

void LevelChecker::CheckEnemy(const TiXmlElement* element, const ShooterEnemy& enemy) {
    const Place at = PlaceOf(m_model.file, element);
    const TiXmlElement* behaviour = xml::Child(element, "behaviour");
    if (!behaviour) {
        m_context.Error(at, "enemy has no <behaviour>");
    } else if (!KnownBehaviour(AttributeText(behaviour, "type"))) {
        m_context.Error(PlaceOf(m_model.file, behaviour),
                        "unknown behaviour " + Quoted(AttributeText(behaviour, "type")) +
                            ": the game flies it straight (normal, oscillate, curve)");
    }
    const TiXmlElement* projectile = xml::Child(element, "projectile");
    if (projectile && AttributeText(projectile, "shoots") == "yes") {
        m_resources.UseSprite(AttributeText(projectile, "sprite"),
                              PlaceOf(m_model.file, projectile), "projectile sprite");
    }
    CheckLook(element);
    CheckEnemyTiming(enemy, at);
}

void LevelChecker::CheckEnemyTiming(const ShooterEnemy& enemy, const Place& at) {
    const double lastUpdate = m_model.LastPlayableUpdate();
    const double lastMs = lastUpdate * LevelModel::kMsPerUpdate;
    if (lastUpdate >= 0.0 && enemy.m_spawnTime >= lastMs) {
        m_context.Warning(
            at, "enemy " + Quoted(enemy.m_name) + " spawns at " + Seconds(enemy.m_spawnTime) +
                    ", after the level's last playable "
                    "moment (" +
                    Seconds(lastMs) + ", when the view reaches the end of the terrain)");
    }
    if (!m_model.camera) {
        return;
    }
    const ShooterCamera& camera = *m_model.camera;
    const float height =
        enemy.m_sprite ? float(enemy.m_sprite->m_frameHeight) * enemy.m_scale.y : 0.0f;
    const float bottom = camera.m_position.y;
    const float top = camera.m_position.y + camera.m_size.y;
    const bool below = enemy.m_position.y + height < bottom;
    const bool above = enemy.m_position.y > top;
    const bool leftOfView = enemy.m_position.x < -camera.m_size.x;
    if (below || above || leftOfView) {
        std::ostringstream where;
        where << "enemy " << Quoted(enemy.m_name) << " starts outside the view at ("
              << enemy.m_position.x << ", " << enemy.m_position.y
              << "): x counts from the view's "
                 "right edge, y must lie within "
              << bottom << " to " << top;
        m_context.Warning(at, where.str());
    }
}

void LevelChecker::CheckExplosions(const TiXmlElement* element, const std::string& file) {
    if (!element) {
        return;
    }
    const Place at = PlaceOf(file, element);
    const CSprite* sprite =
        m_resources.UseSprite(AttributeText(element, "sprite"), at, "explosion sprite");
    m_resources.UseAnimation(AttributeText(element, "anim"), AttributeText(element, "action"),
                             sprite, at);
}
