#pragma once
// What the fuzz targets share around the game's global state: a hand-set clock, the fixed
// sprites, animations and fonts registered once, and the reset that makes every input start
// from the same world.

#include <cstdint>

#include "platform/Clock.h"

class ShooterWorld;
class TiXmlDocument;
class TiXmlElement;

namespace fuzz {

// The game clock of a target, read through timeGetTime() while it lives.
class FixedClock : public platform::IClock {
public:
    explicit FixedClock(uint32_t start) : m_now(start) { platform::SetClock(this); }
    ~FixedClock() override { platform::SetClock(nullptr); }
    uint32_t Now() override { return m_now; }
    void Set(uint32_t now) { m_now = now; }
    void Advance(uint32_t ms) { m_now += ms; }

private:
    uint32_t m_now;
};

// Once per process: sprites made by hand after kSprites (every frame a checker of opaque and
// transparent squares, marked loaded so they draw), then the animations and fonts of
// FuzzData.h. They stay for the whole run: the targets that use them never unload their
// managers.
void RegisterFixedSprites();
void RegisterFixedAnimations();
void RegisterFixedFonts();

// The world's listeners, as Init registers them, so queued game events reach HandleEvent.
void AddWorldListeners(ShooterWorld* world);

// Puts back every global the world and the interface touch: the world is destroyed, the
// interface unloaded, queued events and listeners dropped (the event manager is made anew),
// the shared fire clock zeroed and the XML library's condense switch set back to its default.
void ResetWorld();

// Loads the document's file as the loaders do and returns its set element of that name, or
// null.
const TiXmlElement* LoadSet(TiXmlDocument& document, const char* set);

}  // namespace fuzz
