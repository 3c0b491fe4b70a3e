#include "tools/check/LevelMap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "resources/CSprite.h"
#include "tools/check/EnemyFlight.h"

namespace {

constexpr double kTailMs = 10000.0;   // map length after the last spawn, without terrain end
constexpr double kMaxLength = 1e6;    // world units; beyond that the map is cut off
constexpr int kMaxBandHeight = 1000;  // pixels of one row's picture
constexpr int kMarker = 7;            // spawn square, pixels

Rgb BehaviourColour(int behaviour) {
    switch (behaviour) {
        case 1:
            return LevelMap::kOscillateColour;
        case 2:
            return LevelMap::kCurveColour;
        default:
            return LevelMap::kNormalColour;
    }
}

// Blends the sprite's frame-0 pixel at world (x, y) for a layer tiled from x = 0 with its
// bottom at layerY; pixels of alpha 10 % or less are not drawn, as in the game.
void BlendLayer(MapCanvas& canvas, int mapX, int mapY, const CSprite* sprite, float x, float y,
                float layerY) {
    if (!sprite || !sprite->m_loaded) {
        return;
    }
    const int width = sprite->m_frameWidth;
    const int height = sprite->m_frameHeight;
    const int row = height - 1 - static_cast<int>(std::floor(y - layerY));
    if (row < 0 || row >= height) {
        return;
    }
    const double wrapped = std::fmod(double(x), double(width));
    const int column = static_cast<int>(wrapped < 0 ? wrapped + width : wrapped);
    const size_t at = (size_t(row) * size_t(sprite->m_imageWidth) + size_t(column)) * 4;
    if (at + 3 >= sprite->m_pixels.size() || sprite->m_pixels[at + 3] <= 25) {
        return;
    }
    const Rgb colour{sprite->m_pixels[at], sprite->m_pixels[at + 1], sprite->m_pixels[at + 2]};
    canvas.Blend(mapX, mapY, colour, sprite->m_pixels[at + 3] / 255.0f);
}

std::string SecondsLabel(int milliseconds) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.1fs", milliseconds / 1000.0);
    return text;
}

}  // namespace

bool LevelMap::Write(const std::string& path, std::string& problem) {
    if (!Layout(problem)) {
        return false;
    }
    const int height = m_rows * (m_bandHeight + kRulerHeight) + (m_rows - 1) * kRowGap;
    MapCanvas canvas(m_rowWidth, height, {255, 255, 255});
    DrawBackground(canvas);
    DrawRuler(canvas);
    DrawStartView(canvas);
    DrawBossHolds(canvas);
    DrawEnemies(canvas);
    return canvas.WritePng(path, problem);
}

bool LevelMap::Layout(std::string& problem) {
    const ShooterCamera* camera = m_level.camera.get();
    if (!camera || !(camera->m_size.x > 0.0f) || !(camera->m_size.y > 0.0f)) {
        problem = "the level has no camera with a positive view size";
        return false;
    }
    m_x0 = camera->m_position.x;
    m_y0 = camera->m_position.y;
    m_viewWidth = camera->m_size.x;
    m_viewHeight = camera->m_size.y;
    m_endUpdate = m_level.LastPlayableUpdate();
    if (m_endUpdate < 0.0) {
        int lastSpawn = 0;
        for (const auto& enemy : m_level.enemies) {
            lastSpawn = std::max(lastSpawn, enemy->m_spawnTime);
        }
        m_endUpdate = (lastSpawn + kTailMs) / LevelModel::kMsPerUpdate;
    }
    const double end =
        std::max<double>(m_level.CameraXAfter(m_endUpdate) + m_viewWidth, m_x0 + m_viewWidth);
    const double length = std::min(end - m_x0, kMaxLength);
    m_scale =
        static_cast<float>(std::min({double(kLargestScale), double(kMaxWidth) * kMaxRows / length,
                                     double(kMaxBandHeight) / m_viewHeight}));
    m_mapWidth = std::max(1, static_cast<int>(std::ceil(length * m_scale)));
    m_rows = (m_mapWidth + kMaxWidth - 1) / kMaxWidth;
    m_rowWidth = (m_mapWidth + m_rows - 1) / m_rows;
    m_bandHeight = std::max(1, static_cast<int>(std::ceil(m_viewHeight * m_scale)));
    return true;
}

bool LevelMap::ToMap(float x, float y, int& mapX, int& mapY) const {
    const double along = (double(x) - m_x0) * m_scale;
    const double up = (double(y) - m_y0) * m_scale;
    if (!(along >= 0.0 && along < m_mapWidth && up >= 0.0 && up < m_bandHeight)) {
        return false;
    }
    const int column = static_cast<int>(along);
    const int row = column / m_rowWidth;
    mapX = column - row * m_rowWidth;
    mapY = row * (m_bandHeight + kRulerHeight + kRowGap) + m_bandHeight - 1 - static_cast<int>(up);
    return true;
}

void LevelMap::DrawBackground(MapCanvas& canvas) const {
    const ShooterBackground* bg = m_level.background.get();
    for (int column = 0; column < m_mapWidth; ++column) {
        const int row = column / m_rowWidth;
        const int mapX = column - row * m_rowWidth;
        const float x = m_x0 + (column + 0.5f) / m_scale;
        for (int band = 0; band < m_bandHeight; ++band) {
            const int mapY =
                row * (m_bandHeight + kRulerHeight + kRowGap) + m_bandHeight - 1 - band;
            const float y = m_y0 + (band + 0.5f) / m_scale;
            canvas.Set(mapX, mapY, {0, 0, 0});
            if (bg) {
                const float base = bg->m_position.y;
                BlendLayer(canvas, mapX, mapY, bg->m_backSprite, x, y, base);
                // The game draws the middle layer 50 units above the others.
                BlendLayer(canvas, mapX, mapY, bg->m_middleSprite, x, y, base + 50.0f);
                BlendLayer(canvas, mapX, mapY, bg->m_frontSprite, x, y, base);
            }
            // Dimmed so that the paths stand out.
            canvas.Blend(mapX, mapY, {0, 0, 0}, 0.45f);
        }
    }
}

void LevelMap::DrawStartView(MapCanvas& canvas) const {
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;
    const float inset = 0.5f / m_scale;
    if (!ToMap(m_x0 + inset, m_y0 + inset, left, bottom) ||
        !ToMap(std::min(m_x0 + m_viewWidth, m_x0 + (m_rowWidth - 0.5f) / m_scale) - inset,
               m_y0 + m_viewHeight - inset, right, top)) {
        return;
    }
    for (int i = 0; i < 2; ++i) {
        canvas.OutlineRect(left + i, top + i, right - left + 1 - 2 * i, bottom - top + 1 - 2 * i,
                           {255, 255, 255});
    }
}

void LevelMap::DrawRuler(MapCanvas& canvas) const {
    for (int row = 0; row < m_rows; ++row) {
        const int top = row * (m_bandHeight + kRulerHeight + kRowGap) + m_bandHeight;
        canvas.FillRect(0, top, m_rowWidth, kRulerHeight, {40, 40, 48});
    }
    const double velocity = m_level.camera->m_velocity.x;
    for (int seconds = 0;; seconds += 10) {
        const double update = seconds * 1000.0 / LevelModel::kMsPerUpdate;
        const double x = m_level.CameraXAfter(update) + m_viewWidth;
        const double column = (x - m_x0) * m_scale;
        if (update > m_endUpdate || column >= m_mapWidth || seconds > 100000) {
            break;
        }
        const int row = static_cast<int>(column) / m_rowWidth;
        const int mapX = static_cast<int>(column) - row * m_rowWidth;
        const int top = row * (m_bandHeight + kRulerHeight + kRowGap) + m_bandHeight;
        canvas.FillRect(mapX, top, 2, 8, {255, 255, 255});
        canvas.Text(mapX + 4, top + 10, std::to_string(seconds) + "s", {255, 255, 255}, 2);
        if (velocity <= 0.0) {
            break;  // a standing camera: every time is at the same place
        }
    }
}

void LevelMap::DrawEnemies(MapCanvas& canvas) const {
    std::vector<std::pair<int, int>> labels;  // left and top of the labels drawn so far
    for (const auto& enemy : m_level.enemies) {
        const std::vector<Vector2> path =
            EnemyFlight::Path(*enemy, *m_level.camera, m_level.background.get());
        const Rgb colour = BehaviourColour(enemy->m_behaviour);
        DrawPath(canvas, path, colour);
        int x = 0;
        int y = 0;
        if (path.empty() || !ToMap(path.front().x, path.front().y, x, y)) {
            continue;
        }
        canvas.FillRect(x - kMarker / 2 - 1, y - kMarker / 2 - 1, kMarker + 2, kMarker + 2, {});
        canvas.FillRect(x - kMarker / 2, y - kMarker / 2, kMarker, kMarker, colour);
        const std::string label = SecondsLabel(enemy->m_spawnTime);
        const int labelX = x + kMarker;
        const int labelY = y - kMarker - MapCanvas::kGlyphHeight;
        const int width = MapCanvas::TextWidth(label);
        const bool overlaps = std::any_of(labels.begin(), labels.end(), [&](const auto& l) {
            return std::abs(l.second - labelY) < MapCanvas::kGlyphHeight + 3 &&
                   labelX < l.first + width + 4 && l.first < labelX + width + 4;
        });
        if (!overlaps) {
            canvas.Text(labelX, labelY, label, {255, 255, 255});
            labels.emplace_back(labelX, labelY);
        }
    }
}

void LevelMap::DrawBossHolds(MapCanvas& canvas) const {
    for (const auto& enemy : m_level.enemies) {
        if (!enemy->m_boss) {
            continue;
        }
        // The boss enters at the view's right edge at its spawn time, and the view holds there.
        const double update = enemy->m_spawnTime / LevelModel::kMsPerUpdate;
        const float x = m_level.CameraXAfter(update) + m_viewWidth - 1.0f / m_scale;
        const float inset = 0.5f / m_scale;
        int mapX = 0;
        int bottom = 0;
        int top = 0;
        if (!ToMap(x, m_y0 + inset, mapX, bottom) ||
            !ToMap(x, m_y0 + m_viewHeight - inset, mapX, top)) {
            continue;
        }
        canvas.FillRect(mapX - 1, top, 3, bottom - top + 1, kBossHoldColour);
        const std::string label = "boss " + enemy->m_name;
        canvas.Text(mapX - 4 - MapCanvas::TextWidth(label), top + 4, label, kBossHoldColour);
        DrawBossPhases(canvas, *enemy);
    }
}

void LevelMap::DrawBossPhases(MapCanvas& canvas, const ShooterEnemy& boss) const {
    const auto paths = EnemyFlight::PhasePaths(boss, *m_level.camera, m_level.background.get());
    const auto& phases = boss.m_phases.List();
    const float width = boss.m_sprite ? float(boss.m_sprite->m_frameWidth) * boss.m_scale.x : 0.0f;
    for (size_t i = 0; i < paths.size() && i < phases.size(); ++i) {
        std::vector<Vector2> path = paths[i];
        const Vector2 shift(-(width + kPhaseGap) * float(i + 1), 0.0f);
        for (Vector2& point : path) {
            point += shift;
        }
        const Rgb colour = BehaviourColour(phases[i].behaviour);
        DrawPath(canvas, path, colour);
        int x = 0;
        int y = 0;
        if (path.empty() || !ToMap(path.front().x, path.front().y, x, y)) {
            continue;
        }
        canvas.FillRect(x - kMarker / 2, y - kMarker / 2, kMarker, kMarker, colour);
        canvas.Text(x + kMarker, y + kMarker, "<" + std::to_string(phases[i].below), colour);
    }
}

void LevelMap::DrawPath(MapCanvas& canvas, const std::vector<Vector2>& path, Rgb colour) const {
    for (size_t i = 1; i < path.size(); ++i) {
        const Vector2 step = path[i] - path[i - 1];
        // Two dots per map pixel of the step, so that the line has no gaps; a step longer than
        // the map is cut to its size.
        const float length = std::hypot(step.x, step.y) * m_scale * 2.0f;
        const float limit = 2.0f * float(m_mapWidth + m_bandHeight);
        const int dots = 1 + static_cast<int>(length < limit ? length : limit);
        for (int d = 0; d <= dots; ++d) {
            const Vector2 at = path[i - 1] + step * (float(d) / float(dots));
            int x = 0;
            int y = 0;
            if (ToMap(at.x, at.y, x, y)) {
                canvas.FillRect(x, y, 2, 2, colour);
            }
        }
    }
}
