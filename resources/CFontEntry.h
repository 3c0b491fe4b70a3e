#pragma once
// One glyph of a bitmap font: a character and the sprite frame that draws it.

#include <cstdint>

class CFontEntry {
public:
    char m_char = 0;
    int32_t m_frame = 0;
};
