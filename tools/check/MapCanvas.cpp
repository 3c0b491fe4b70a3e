#include "tools/check/MapCanvas.h"

#include <png.h>

#include <algorithm>
#include <cstring>

namespace {

// 3 x 5 glyphs, one row of three bits per entry, top row first; the letters are small
// capitals, for names in labels.
struct GlyphRows {
    char c;
    uint8_t rows[5];
};

const GlyphRows kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'.', {0, 0, 0, 0, 2}}, {'s', {3, 4, 2, 1, 6}},
    {':', {0, 2, 0, 2, 0}}, {'<', {1, 2, 4, 2, 1}}, {'a', {2, 5, 7, 5, 5}}, {'b', {6, 5, 6, 5, 6}},
    {'c', {3, 4, 4, 4, 3}}, {'d', {6, 5, 5, 5, 6}}, {'e', {7, 4, 6, 4, 7}}, {'f', {7, 4, 6, 4, 4}},
    {'g', {3, 4, 5, 5, 3}}, {'h', {5, 5, 7, 5, 5}}, {'i', {7, 2, 2, 2, 7}}, {'j', {1, 1, 1, 5, 2}},
    {'k', {5, 5, 6, 5, 5}}, {'l', {4, 4, 4, 4, 7}}, {'m', {5, 7, 7, 5, 5}}, {'n', {6, 5, 5, 5, 5}},
    {'o', {2, 5, 5, 5, 2}}, {'p', {6, 5, 6, 4, 4}}, {'q', {2, 5, 5, 6, 3}}, {'r', {6, 5, 6, 5, 5}},
    {'t', {7, 2, 2, 2, 2}}, {'u', {5, 5, 5, 5, 7}}, {'v', {5, 5, 5, 5, 2}}, {'w', {5, 5, 7, 7, 5}},
    {'x', {5, 5, 2, 5, 5}}, {'y', {5, 5, 2, 2, 2}}, {'z', {7, 1, 2, 4, 7}},
};

const GlyphRows* FindGlyph(char c) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    for (const GlyphRows& glyph : kGlyphs) {
        if (glyph.c == lower) {
            return &glyph;
        }
    }
    return nullptr;
}

}  // namespace

MapCanvas::MapCanvas(int width, int height, Rgb fill)
    : m_width(width), m_height(height), m_pixels(size_t(width) * size_t(height) * 3) {
    FillRect(0, 0, width, height, fill);
}

Rgb MapCanvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return {};
    }
    const size_t at = (size_t(y) * size_t(m_width) + size_t(x)) * 3;
    return {m_pixels[at], m_pixels[at + 1], m_pixels[at + 2]};
}

void MapCanvas::Set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    const size_t at = (size_t(y) * size_t(m_width) + size_t(x)) * 3;
    m_pixels[at] = colour.r;
    m_pixels[at + 1] = colour.g;
    m_pixels[at + 2] = colour.b;
}

void MapCanvas::Blend(int x, int y, Rgb colour, float alpha) {
    const Rgb under = Get(x, y);
    const auto mix = [alpha](uint8_t over, uint8_t below) {
        return static_cast<uint8_t>(over * alpha + below * (1.0f - alpha) + 0.5f);
    };
    Set(x, y, {mix(colour.r, under.r), mix(colour.g, under.g), mix(colour.b, under.b)});
}

void MapCanvas::FillRect(int x, int y, int width, int height, Rgb colour) {
    for (int row = std::max(0, y); row < std::min(m_height, y + height); ++row) {
        for (int column = std::max(0, x); column < std::min(m_width, x + width); ++column) {
            Set(column, row, colour);
        }
    }
}

void MapCanvas::OutlineRect(int x, int y, int width, int height, Rgb colour) {
    FillRect(x, y, width, 1, colour);
    FillRect(x, y + height - 1, width, 1, colour);
    FillRect(x, y, 1, height, colour);
    FillRect(x + width - 1, y, 1, height, colour);
}

void MapCanvas::Text(int x, int y, const std::string& text, Rgb colour, int scale) {
    FillRect(x - 1, y - 1, TextWidth(text, scale) + 2, kGlyphHeight * scale + 2, {0, 0, 0});
    for (const char c : text) {
        Glyph(x, y, c, colour, scale);
        x += 4 * scale;
    }
}

int MapCanvas::TextWidth(const std::string& text, int scale) {
    return text.empty() ? 0 : (static_cast<int>(text.size()) * 4 - 1) * scale;
}

void MapCanvas::Glyph(int x, int y, char c, Rgb colour, int scale) {
    const GlyphRows* glyph = FindGlyph(c);
    if (!glyph) {
        return;
    }
    for (int row = 0; row < kGlyphHeight; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (glyph->rows[row] & (4 >> column)) {
                FillRect(x + column * scale, y + row * scale, scale, scale, colour);
            }
        }
    }
}

bool MapCanvas::WritePng(const std::string& path, std::string& problem) const {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(m_width);
    image.height = static_cast<png_uint_32>(m_height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, m_pixels.data(), 0, nullptr)) {
        problem = "cannot write " + path + ": " + image.message;
        return false;
    }
    return true;
}
