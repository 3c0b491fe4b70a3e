#include "core/ShooterWorld.h"

void ShooterWorld::Render() {}

void ShooterWorld::DrawScene() {}

void ShooterWorld::RenderMotionBlur() {}
