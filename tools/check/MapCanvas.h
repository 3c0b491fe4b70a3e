#pragma once
// An RGB picture for the level map: pixels, rectangles, a small built-in digit font for the
// time labels, and writing as PNG through libpng.

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

class MapCanvas {
public:
    MapCanvas(int width, int height, Rgb fill);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgb Get(int x, int y) const;
    // Pixels outside the canvas are ignored.
    void Set(int x, int y, Rgb colour);
    // Mixes colour over the pixel with opacity alpha (0..1).
    void Blend(int x, int y, Rgb colour, float alpha);
    void FillRect(int x, int y, int width, int height, Rgb colour);
    void OutlineRect(int x, int y, int width, int height, Rgb colour);
    // Draws text of digits, letters (capitals as the small ones), '.', ':' and '<' with its
    // top-left corner at (x, y), in 3 x 5 glyphs scaled by `scale` with one blank column
    // between them, over a dark shadow; other characters leave a blank.
    void Text(int x, int y, const std::string& text, Rgb colour, int scale = 1);
    // Width in pixels of Text(text) at that scale.
    static int TextWidth(const std::string& text, int scale = 1);
    static constexpr int kGlyphHeight = 5;

    // Writes the picture as an 8-bit RGB PNG; false with the reason when it cannot.
    bool WritePng(const std::string& path, std::string& problem) const;

private:
    void Glyph(int x, int y, char c, Rgb colour, int scale);

    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;  // RGB, rows from the top
};
