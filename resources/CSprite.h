#pragma once
// One PNG sprite sheet cut into equal frames in a grid, uploaded once as an OpenGL texture and
// drawn a frame at a time as a textured quad. Frames are numbered left to right, rows from the
// top. The decoded pixels are kept for the pixel-exact contact test.
// A plain class with public data: loaders and tests fill it directly.

#include <cstdint>
#include <string>
#include <vector>

#include "math/Vector2.h"

class TiXmlElement;

class CSprite {
public:
    CSprite() = default;
    // Frees the pixels; the texture is deleted by the sprite manager's UnloadAll.
    ~CSprite() = default;

    // Decode, then Upload when that succeeded: the whole loading of one sprite for a window.
    void Load(const TiXmlElement* element);
    // The CPU side of loading: reads one "sprite" element (name, image path below the
    // manager's base directory, frame layout), decodes the sheet into m_pixels and checks that
    // the frame grid fits it. Needs no OpenGL context. A sprite whose image cannot be decoded
    // or whose layout is unusable is reported as a data problem (core/Diagnostics.h) with the
    // file name and stays unloaded (false); a sheet smaller than its grid is reported and
    // still loads (its outer frames are never drawn).
    bool Decode(const TiXmlElement* element);
    // The GPU side: uploads the decoded pixels as the sprite's texture. Needs a current
    // OpenGL context.
    void Upload();
    // Reads the frame layout (swidth, sheight, numframes, rows, columns) of an "image"
    // element; false when a value the drawing divides by or sizes with is missing or not
    // positive. Reports nothing: Decode reports it.
    bool ReadFrameLayout(const TiXmlElement* image);

    // Draws frame at position (its bottom-left corner) with scale, rotation in degrees about
    // that corner, mirrored about the corner's vertical line when flip is 1, and alpha 0..1.
    // Nothing is drawn while unloaded; an out-of-range frame is not drawn, and logged once
    // (then counted, see LogRepeating).
    void Draw(const Vector2& position, const Vector2& scale, float rotation, uint32_t frame,
              unsigned char flip, float alpha) const;

    // Draws several frames in one batch (one texture bind, one glBegin/glEnd), each at its own
    // position with the common scale, unrotated, unflipped and opaque: the same pixels as Draw
    // of each in turn with rotation 0, flip 0 and alpha 1. Frames out of range are logged and
    // left out as Draw does.
    struct Placement {
        Vector2 position;
        uint32_t frame;
    };
    void DrawBatch(const std::vector<Placement>& placements, const Vector2& scale) const;

    // True when frame can be drawn and every pixel of the whole sheet is the same; rgba then
    // holds that pixel. Such a frame, however it is scaled and filtered, shows only that
    // colour, so DrawOneColour gives the same pixels without reading the texture (which
    // software drivers fill much more slowly once it is stretched).
    bool IsOneColour(uint32_t frame, unsigned char rgba[4]) const;
    // Draws the quad Draw draws for a frame at position and scale, unrotated, unflipped and
    // opaque, untextured in the colour rgba (as IsOneColour gives it).
    void DrawOneColour(const Vector2& position, const Vector2& scale,
                       const unsigned char rgba[4]) const;

    // True when some opaque (alpha > 20) pixel of this sprite's frame thisFrame and the
    // other's frame otherFrame lie at the same place, with the other's bottom-left corner at
    // offset from this one's. Unscaled frame pixels.
    bool PixelCollide(const CSprite* other, const Vector2& offset, int thisFrame = 0,
                      int otherFrame = 0) const;

    int GetFrameWidth() const { return m_frameWidth; }
    int GetFrameHeight() const { return m_frameHeight; }
    const std::string& GetName() const { return m_name; }
    bool IsLoaded() const { return m_loaded; }

private:
    // True when frame is one of the sheet's frames and lies inside the image; m_columns > 0.
    bool FrameInSheet(uint32_t frame) const;
    // Texture coordinates (s0, s1, t0, t1) of a frame; false (logged) when it is out of range.
    bool FrameCoords(uint32_t frame, float coords[4]) const;

public:
    bool m_loaded = false;
    int32_t m_numFrames = 0;
    int32_t m_imageWidth = 0;
    int32_t m_imageHeight = 0;
    int32_t m_frameWidth = 0;
    int32_t m_frameHeight = 0;
    int32_t m_rows = 0;
    int32_t m_columns = 0;
    uint32_t m_texture = 0;
    std::vector<unsigned char> m_pixels;  // RGBA, rows top first
    std::string m_name;
    std::string m_imagePath;  // the sheet's data path, as Decode read it ("" before)
};
