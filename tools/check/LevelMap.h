#pragma once
// The level map: one picture of the whole level. The three background layers and the terrain
// along the full scroll length, the camera's view at the start (white frame), every enemy's
// spawn point (square, with its spawn time in seconds) and flight path, computed with the
// game's own enemy and camera code until it leaves the view, coloured by behaviour (normal
// amber, oscillate cyan, curve magenta), and a time ruler under the picture with a tick every
// 10 s where the right edge of the view is at that time, which is where an enemy spawned
// then enters. A boss's spawn time is marked by a red line at the view's right edge, where the
// view holds while the boss is in play (the map draws the rest of the level as if it did not).
// Each of its phases' flights (EnemyFlight::PhasePaths) is drawn beside the boss's own, moved
// left by the boss's width and a gap for each phase in order, in its behaviour's colour, with
// the phase's threshold ("<1800") at its start.
//
// Layout: the world from the camera's start x to the view's right edge at the last playable
// moment (the end of the terrain strip; without one, 10 s after the last spawn), at half
// size, or smaller so that the map is at most 4 rows of 4000 pixels. The map is cut into
// rows of equal width (at most 4000 pixels), each the view's height at that scale plus a
// 24-pixel ruler, with 8 pixels between rows. Layers are drawn at their start offsets.

#include <string>
#include <vector>

#include "tools/check/LevelModel.h"
#include "math/Vector2.h"
#include "tools/check/MapCanvas.h"

class LevelMap {
public:
    explicit LevelMap(const LevelModel& level) : m_level(level) {}

    // Draws the map and writes it as PNG; false with the reason when the level has no camera
    // with a positive view size, or the file cannot be written.
    bool Write(const std::string& path, std::string& problem);

    static constexpr int kMaxWidth = 4000;
    static constexpr int kMaxRows = 4;
    static constexpr int kRulerHeight = 24;
    static constexpr int kRowGap = 8;
    static constexpr float kLargestScale = 0.5f;
    static constexpr float kPhaseGap = 24.0f;  // world units between two phases' flights

    static constexpr Rgb kNormalColour{255, 190, 0};
    static constexpr Rgb kOscillateColour{0, 230, 255};
    static constexpr Rgb kCurveColour{255, 60, 220};
    static constexpr Rgb kBossHoldColour{255, 40, 40};

private:
    bool Layout(std::string& problem);
    // The map pixel of a world point; false when it lies outside the map.
    bool ToMap(float x, float y, int& mapX, int& mapY) const;
    void DrawBackground(MapCanvas& canvas) const;
    void DrawStartView(MapCanvas& canvas) const;
    void DrawRuler(MapCanvas& canvas) const;
    void DrawEnemies(MapCanvas& canvas) const;
    // A line at the view's right edge where each boss holds the camera, with its name.
    void DrawBossHolds(MapCanvas& canvas) const;
    // Each boss phase's flight, beside the boss (see the top of this file).
    void DrawBossPhases(MapCanvas& canvas, const ShooterEnemy& boss) const;
    // The path as a line of 2 x 2 dots; the parts outside the map are left out.
    void DrawPath(MapCanvas& canvas, const std::vector<Vector2>& path, Rgb colour) const;

    const LevelModel& m_level;
    float m_x0 = 0.0f;  // world rectangle the map shows
    float m_y0 = 0.0f;
    float m_viewWidth = 0.0f;
    float m_viewHeight = 0.0f;
    double m_endUpdate = 0.0;  // updates until the view's right edge reaches the map's end
    float m_scale = kLargestScale;
    int m_mapWidth = 0;  // the world's width at scale, before it is cut into rows
    int m_rows = 1;
    int m_rowWidth = 0;
    int m_bandHeight = 0;  // the view's height at scale
};
