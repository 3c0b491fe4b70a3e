#include "tools/check/LevelChecker.h"

#include <tinyxml.h>

#include <sstream>

#include "audio/CSoundManager.h"
#include "core/XmlRead.h"
#include "game/ShooterExplosionManager.h"
#include "resources/CSpriteManager.h"
#include "resources/CSprite.h"
#include "tools/check/ResourceChecker.h"

namespace {

std::string Seconds(double milliseconds) {
    std::ostringstream text;
    text.precision(1);
    text << std::fixed << milliseconds / 1000.0 << " s";
    return text.str();
}

}  // namespace

bool LevelChecker::CheckLevel(const std::string& path) {
    m_model.file = path;
    // The game's level loader builds the level and reports what keeps it from loading.
    LevelLoader::Load(path, m_model);
    std::unique_ptr<TiXmlDocument> document = CheckContext::ReadLoaded(path);
    const TiXmlElement* level = document ? document->FirstChildElement("level") : nullptr;
    if (!level) {
        return false;
    }
    CheckSchema(DataKind::Level, level, path, m_context.findings);
    // An empty name is no music; any other must be a music track of the set, not a sample.
    const std::string music = AttributeText(level, "music");
    if (!music.empty() && m_context.soundsLoaded && m_context.musicTracks.count(music) == 0) {
        m_context.Error(PlaceOf(path, level), UnknownMusicText(music));
    }
    CheckLook(xml::Child(level, "player"));
    size_t index = 0;
    xml::ForEachChild(level, "enemy", [&](const TiXmlElement* element) {
        CheckEnemy(element, *m_model.enemies[index++]);
    });
    return true;
}

void LevelChecker::CheckLook(const TiXmlElement* actor) {
    // The actor's loader reports a missing <sprite> and unknown sprite and animation names.
    const TiXmlElement* sprite = xml::Child(actor, "sprite");
    if (!sprite) {
        return;
    }
    const Place spriteAt = PlaceOf(m_model.file, sprite);
    const CSprite* found = CSpriteManager::GetInstance()->GetSprite(AttributeText(sprite, "name"));
    int frame = 0;
    xml::ReadInt(sprite, "frame", frame);
    m_resources.UseFrame(found, frame, spriteAt);
    if (const TiXmlElement* animation = xml::Child(actor, "animation")) {
        m_resources.UseAction(AttributeText(animation, "name"), AttributeText(animation, "action"),
                              found, PlaceOf(m_model.file, animation));
    }
}

void LevelChecker::CheckEnemy(const TiXmlElement* element, const ShooterEnemy& enemy) {
    const Place at = PlaceOf(m_model.file, element);
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

void LevelChecker::CheckExplosions(const TiXmlElement* config) {
    // The game's explosion loader reports a missing <explosioncfg> and unknown names.
    ShooterExplosionManager explosions;
    explosions.Load(TiXmlHandle(const_cast<TiXmlElement*>(xml::Child(config, "explosioncfg"))));
    const TiXmlElement* element = xml::Child(config, "explosioncfg");
    if (!element) {
        return;
    }
    const CSprite* sprite =
        CSpriteManager::GetInstance()->GetSprite(AttributeText(element, "sprite"));
    m_resources.UseAction(AttributeText(element, "anim"), AttributeText(element, "action"), sprite,
                          PlaceOf(xml::FileOf(element), element));
}
