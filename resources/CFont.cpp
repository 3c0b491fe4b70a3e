#include "resources/CFont.h"

bool CFont::Load(const TiXmlElement* /*element*/) {
    return false;
}

void CFont::DrawText(std::string /*text*/, const Vector2& /*scale*/,
                     const Vector2& /*position*/) const {}

Vector2 CFont::MeasureText(const std::string& /*text*/, const Vector2& /*scale*/) const {
    return Vector2();
}
