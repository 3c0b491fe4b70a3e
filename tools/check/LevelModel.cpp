#include "tools/check/LevelModel.h"

double LevelModel::LastPlayableUpdate() const {
    if (!camera || !background || !background->m_frontSprite || camera->m_velocity.x <= 0.0f) {
        return -1.0;
    }
    const double viewRight = double(camera->m_position.x) + camera->m_size.x;
    const double stripEnd = background->GetFrontBox().right;
    return stripEnd > viewRight ? (stripEnd - viewRight) / camera->m_velocity.x : 0.0;
}

float LevelModel::CameraXAfter(double updates) const {
    if (!camera) {
        return 0.0f;
    }
    return static_cast<float>(camera->m_position.x + updates * camera->m_velocity.x);
}
