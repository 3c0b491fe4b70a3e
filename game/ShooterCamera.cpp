#include "game/ShooterCamera.h"

void ShooterCamera::Load(const TiXmlElement* /*element*/) {}

void ShooterCamera::Update(float& /*dt*/) {}

void ShooterCamera::ApplyView() const {}
