#pragma once
// Reads a level file and builds what it describes: the camera, the player ship, the
// background and the enemies, with the level's name and music. The game's world takes the
// parts once the level proves playable; the data checker reads the same parts for its checks
// and its level map. Every problem is reported as a data problem (core/Diagnostics.h).

#include <memory>
#include <string>
#include <vector>

#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterPlayer.h"

class TiXmlElement;

class LevelLoader {
public:
    // Everything one level file builds; any part the file does not have stays null (empty).
    struct Parts {
        std::string name;
        std::string music;  // "" when the level names none
        std::unique_ptr<ShooterCamera> camera;
        std::unique_ptr<ShooterPlayer> player;
        std::unique_ptr<ShooterBackground> background;
        std::vector<std::unique_ptr<ShooterEnemy>> enemies;  // file order
    };

    // Reads the level file into parts. False (reported) when the file cannot be read or
    // parsed, has no <level>, or has a player without a camera or a background: the game
    // refuses such a level as a whole. In the last case parts still hold what was built.
    // A level without a player or without enemies is reported but loads.
    static bool Load(const std::string& fileName, Parts& parts);

private:
    static void ReadActors(const TiXmlElement* level, Parts& parts);
    static bool IsPlayable(const Parts& parts, const TiXmlElement* level,
                           const std::string& fileName);
    static void ReportMissingActors(const Parts& parts, const TiXmlElement* level,
                                    const std::string& fileName);
};
