#include "resources/CSprite.h"

void CSprite::Load(const TiXmlElement* /*element*/) {}

void CSprite::Draw(const Vector2& /*position*/, const Vector2& /*scale*/, float /*rotation*/,
                   uint32_t /*frame*/, unsigned char /*flip*/, float /*alpha*/) const {}
