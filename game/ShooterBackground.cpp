#include "game/ShooterBackground.h"

#include <cmath>
#include <cstdint>

#include "core/XmlRead.h"
#include "game/ActorResources.h"
#include "game/ActorStage.h"
#include "game/ShooterCamera.h"
#include "resources/CSprite.h"

namespace {

const char* const kWho = "ShooterBackground";
// The middle layer is drawn this far above the others.
constexpr float kMiddleRaise = 50.0f;
// No view needs more tiles than this; it bounds the loop for absurd view sizes.
constexpr size_t kMaxTiles = 4096;

int WidthOf(const CSprite* sprite) {
    return sprite ? sprite->m_frameWidth : 0;
}

// One scroll step: the offset moves left by speed and starts again at exactly 0 once it has
// passed a whole tile.
void Scroll(float& offset, float speed, const CSprite* sprite) {
    offset -= speed;
    if (offset < -static_cast<float>(WidthOf(sprite))) {
        offset = 0.0f;
    }
}

}  // namespace

bool ShooterBackground::Load(const TiXmlElement* element) {
    xml::ReadXY(xml::RequiredChild(element, "position", kWho), m_position.x, m_position.y);
    const TiXmlElement* sprite = xml::RequiredChild(element, "sprite", kWho);
    if (sprite) {
        m_backSprite = FindLevelSprite(xml::RequiredText(sprite, "back", kWho), sprite, kWho);
        xml::ReadFloat(sprite, "bspeed", m_backSpeed);
        m_middleSprite = FindLevelSprite(xml::RequiredText(sprite, "middle", kWho), sprite, kWho);
        xml::ReadFloat(sprite, "mspeed", m_middleSpeed);
        m_frontSprite = FindLevelSprite(xml::RequiredText(sprite, "front", kWho), sprite, kWho);
        xml::ReadFloat(sprite, "fspeed", m_frontSpeed);
    }
    const float width = static_cast<float>(WidthOf(m_frontSprite));
    const float height = m_frontSprite ? static_cast<float>(m_frontSprite->m_frameHeight) : 0.0f;
    m_frontBox =
        BoundingBox(m_position.x, m_position.x + width, m_position.y, m_position.y + height);
    return true;
}

void ShooterBackground::Update(float& /*dt*/) {
    Scroll(m_backOffset, m_backSpeed, m_backSprite);
    Scroll(m_middleOffset, m_middleSpeed, m_middleSprite);
    Scroll(m_frontOffset, m_frontSpeed, m_frontSprite);
}

void ShooterBackground::Render() {
    const ShooterCamera* camera = ActorStage::Camera();
    if (!camera) {
        return;
    }
    RenderLayer(m_backSprite, m_backOffset, m_position.y, *camera);
    RenderLayer(m_middleSprite, m_middleOffset, m_position.y + kMiddleRaise, *camera);
    RenderLayer(m_frontSprite, m_frontOffset, m_position.y, *camera);
}

void ShooterBackground::RenderLayer(const CSprite* sprite, float offset, float y,
                                    const ShooterCamera& camera) {
    if (!sprite) {
        return;
    }
    const std::vector<float> tiles =
        TilePositions(camera.GetPosition().x, camera.GetSize().x, sprite->m_frameWidth, offset);
    for (float x : tiles) {
        sprite->Draw(Vector2(x, y), Vector2(1.0f, 1.0f), 0.0f, 0, 0, 1.0f);
    }
}

std::vector<float> ShooterBackground::TilePositions(float cameraX, float viewWidth, int width,
                                                    float offset) {
    std::vector<float> tiles;
    if (width <= 0) {
        return tiles;
    }
    const float start = (cameraX + offset) / static_cast<float>(width);
    if (!std::isfinite(start) || std::fabs(start) >= 2147483648.0f) {
        return tiles;
    }
    const auto n = static_cast<int64_t>(static_cast<int32_t>(start));
    float x = static_cast<float>(width * n) + offset;
    tiles.push_back(x);
    const float end = cameraX + viewWidth + offset;
    while (x < end && tiles.size() < kMaxTiles) {
        const float next = x + static_cast<float>(width);
        if (!(next > x)) {
            break;  // far from the origin a tile's width no longer changes x
        }
        x = next;
        tiles.push_back(x);
    }
    return tiles;
}
