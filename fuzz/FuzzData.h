#pragma once
// The fixed data every fuzz target shares: a small PNG sheet, the sprites the seed data name
// (with their frame layouts) and small animation, font, interface and level files. The
// targets load the fuzzed file on top of this, so names in it resolve as in the real game.

#include <cstddef>
#include <string>

namespace fuzz {

// A 32 x 32 RGBA PNG: white, opaque and transparent squares of 8 x 8 pixels.
extern const unsigned char kSheetPng[];
extern const size_t kSheetPngSize;

// One sprite of the seed data: its name (also its image's file name without ".png") and the
// frame grid of its sheet.
struct SpriteLayout {
    const char* name;
    int frameWidth;
    int frameHeight;
    int columns;
    int numFrames;
};
extern const SpriteLayout kSprites[];
extern const size_t kSpriteCount;

// A sprite set naming every sprite of kSprites, its images below "images".
std::string SpriteSetXml();
// Animations, fonts, interface layers, a level and an explosion configuration that use those
// sprites under the names the seed data use.
extern const char* const kAnimationSetXml;
extern const char* const kFontSetXml;
extern const char* const kLayerSetXml;
extern const char* const kLevelXml;
extern const char* const kExplosionXml;

}  // namespace fuzz
