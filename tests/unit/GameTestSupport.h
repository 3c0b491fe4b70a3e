#pragma once
// Shared pieces of the game-rule tests: sprites made by hand, a recorder of the ship's death
// events and a fixture that leaves the world, the event manager and the fire clock clean.

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <memory>
#include <string>
#include <vector>

#include "events/CEventManager.h"
#include "events/EventType.h"
#include "events/IEvent.h"
#include "events/IEventListener.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterPlayer.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/FakeClock.h"
#include "world/ShooterWorld.h"

namespace gametest {

// A name no other test uses: the sprite manager keeps every sprite for the whole run.
inline std::string UniqueName(const std::string& prefix) {
    static int counter = 0;
    return prefix + "_" + std::to_string(++counter);
}

// A sheet of columns x rows frames of frameWidth x frameHeight, every pixel of the given alpha.
inline std::unique_ptr<CSprite> NewSheet(int frameWidth, int frameHeight, int columns = 1,
                                         int rows = 1, unsigned char alpha = 255) {
    auto sprite = std::make_unique<CSprite>();
    sprite->m_frameWidth = frameWidth;
    sprite->m_frameHeight = frameHeight;
    sprite->m_columns = columns;
    sprite->m_rows = rows;
    sprite->m_numFrames = columns * rows;
    sprite->m_imageWidth = frameWidth * columns;
    sprite->m_imageHeight = frameHeight * rows;
    sprite->m_pixels.assign(static_cast<size_t>(sprite->m_imageWidth) * sprite->m_imageHeight * 4,
                            alpha);
    return sprite;
}

// Sets the alpha of one image pixel (x, y from the top-left of the whole sheet).
inline void SetAlpha(CSprite& sprite, int x, int y, unsigned char alpha) {
    sprite.m_pixels[(static_cast<size_t>(y) * sprite.m_imageWidth + x) * 4 + 3] = alpha;
}

// A one-frame opaque sprite registered with the sprite manager under a fresh name.
inline CSprite* RegisterSprite(const std::string& prefix, int width, int height) {
    std::unique_ptr<CSprite> sprite = NewSheet(width, height);
    sprite->m_name = UniqueName(prefix);
    CSprite* raw = sprite.get();
    CSpriteManager::GetInstance()->AddSprite(sprite.release());
    return raw;
}

// Counts the ship's death events delivered by the event manager.
class DeathRecorder : public IEventListener {
public:
    DeathRecorder() {
        CEventManager::GetInstance()->AddListener(this, Event_Shooter_PlayerDeath);
        CEventManager::GetInstance()->AddListener(this, Event_Shooter_PlayerNoMoreLives);
    }
    ~DeathRecorder() override {
        CEventManager::GetInstance()->DelListener(this, Event_Shooter_PlayerDeath);
        CEventManager::GetInstance()->DelListener(this, Event_Shooter_PlayerNoMoreLives);
    }
    bool HandleEvent(IEvent* event) override {
        if (event->GetEventType() == Event_Shooter_PlayerDeath) {
            ++deaths;
        } else {
            ++noMoreLives;
        }
        return false;
    }
    int deaths = 0;
    int noMoreLives = 0;
};

// Parses an XML snippet and keeps the document alive for the test.
class XmlSnippet {
public:
    explicit XmlSnippet(const std::string& text) { m_document.Parse(text.c_str()); }
    const TiXmlElement* Root() const { return m_document.RootElement(); }

private:
    TiXmlDocument m_document;
};

// A level to play: a still camera over (0, 0)-(1024, 512), a ship of the given size at
// (100, 200), terrain far below the view, no enemies.
inline ShooterPlayer& BuildLevel(LevelPlay& level, int shipWidth, int shipHeight) {
    level.SetCamera(std::make_unique<ShooterCamera>());
    level.Camera()->m_size = Vector2(1024.0f, 512.0f);
    level.SetBackground(std::make_unique<ShooterBackground>());
    level.Background()->m_frontSprite = RegisterSprite("terrain", 64, 16);
    level.Background()->m_position = Vector2(0.0f, -5000.0f);
    level.Background()->m_frontBox = BoundingBox(0.0f, 64.0f, -5000.0f, -4984.0f);
    level.SetPlayer(std::make_unique<ShooterPlayer>());
    ShooterPlayer& ship = *level.Player();
    ship.m_sprite = RegisterSprite("ship", shipWidth, shipHeight);
    ship.m_scale = Vector2(1.0f, 1.0f);
    ship.m_projectileSprite = RegisterSprite("shot", 8, 4)->m_name;
    ship.m_projectileSpeed = 10.0f;
    ship.m_startPosition = Vector2(100.0f, 200.0f);
    ship.SetPosition(ship.m_startPosition);
    return ship;
}

// Counts the times the rules step found the level cleared.
class ClearedRecorder : public LevelOutcome {
public:
    void LevelCleared() override { ++cleared; }
    int cleared = 0;
};

// The level part alone, with no world and no window: the rules tests run on it. It is the
// actors' stage while it lives; queued events are dropped after every test.
class LevelFixture : public ::testing::Test {
protected:
    void TearDown() override { CEventManager::GetInstance()->Shutdown(); }

    // One step of the rules of dt milliseconds, the clock moved on by dt first and the queued
    // events delivered, as the world delivers them before its step.
    void Step(float dt = 31.0f) {
        clock.Advance(static_cast<uint32_t>(dt));
        CEventManager::GetInstance()->Tick();
        level.Step(dt, &outcome);
    }

    FakeClock clock{100000};
    LevelPlay level;
    ClearedRecorder outcome;
};

// A fixture with a fake clock, a fresh world and nothing left behind: the world is destroyed,
// queued events are dropped after every test (the fire clock goes with the world).
class WorldFixture : public ::testing::Test {
protected:
    void SetUp() override {
        world = ShooterWorld::GetInstance();
    }
    void TearDown() override {
        ShooterWorld::DestroyInstance();
        CEventManager::GetInstance()->Shutdown();
    }

    // A running level: see BuildLevel; the game is unpaused.
    ShooterPlayer& MakeLevel(int shipWidth = 32, int shipHeight = 16) {
        ShooterPlayer& ship = BuildLevel(world->Level(), shipWidth, shipHeight);
        world->Session().SetPaused(false);
        return ship;
    }

    // One world update of dt milliseconds, the clock moved on by dt first.
    void Step(float dt = 31.0f) {
        clock.Advance(static_cast<uint32_t>(dt));
        world->UpdateWorld(dt);
    }

    FakeClock clock{100000};
    ShooterWorld* world = nullptr;
};

}  // namespace gametest
