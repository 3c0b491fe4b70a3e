#include "game/ShooterCamera.h"

#include <GL/gl.h>

#include "core/XmlRead.h"

void ShooterCamera::Load(const TiXmlElement* element) {
    const char* who = "ShooterCamera";
    xml::ReadXY(xml::RequiredChild(element, "position", who), m_position.x, m_position.y);
    xml::ReadXY(xml::RequiredChild(element, "velocity", who), m_velocity.x, m_velocity.y);
    xml::ReadXY(xml::RequiredChild(element, "size", who), m_size.x, m_size.y);
}

void ShooterCamera::Update(float& /*dt*/) {
    m_position += m_velocity;
}

void ShooterCamera::ApplyView() const {
    glTranslatef(-m_position.x, -m_position.y, 0.0f);
}
