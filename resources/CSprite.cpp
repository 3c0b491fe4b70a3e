#include "resources/CSprite.h"

void CSprite::Load(const TiXmlElement* /*element*/) {}

void CSprite::Draw(const Vector2& /*position*/, const Vector2& /*scale*/, float /*rotation*/,
                   uint32_t /*frame*/, unsigned char /*flip*/, float /*alpha*/) const {}

bool CSprite::PixelCollide(const CSprite* /*other*/, const Vector2& /*offset*/, int /*thisFrame*/,
                           int /*otherFrame*/) const {
    return false;
}
