// The pixel-exact contact test of two sprites, kept apart from loading and drawing.
#include "resources/CSprite.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Alpha above this counts as solid.
constexpr unsigned char kSolidAlpha = 20;

// One frame of a sprite sheet as the test sees it: pixels addressed from the frame's
// bottom-left corner, y upwards, as the frame is drawn.
class FrameMask {
public:
    FrameMask(const CSprite& s, int frame) : m_sprite(s) {
        if (frame < 0 || frame >= s.m_numFrames || s.m_columns <= 0 || s.m_frameWidth <= 0 ||
            s.m_frameHeight <= 0 || s.m_imageWidth <= 0) {
            return;
        }
        m_left = static_cast<long long>(frame % s.m_columns) * s.m_frameWidth;
        m_top = static_cast<long long>(frame / s.m_columns) * s.m_frameHeight;
        m_valid = m_left + s.m_frameWidth <= s.m_imageWidth;
    }

    bool IsValid() const { return m_valid; }
    int Width() const { return m_sprite.m_frameWidth; }
    int Height() const { return m_sprite.m_frameHeight; }

    // True when the frame pixel at column x, row y (0 = the frame's bottom row) is solid.
    // Pixels outside the frame or outside the decoded buffer are never solid.
    bool IsSolid(int x, int y) const {
        if (!m_valid || x < 0 || y < 0 || x >= Width() || y >= Height()) {
            return false;
        }
        const long long imageRow = m_top + (Height() - 1 - y);
        const long long imageColumn = m_left + x;
        const long long index = (imageRow * m_sprite.m_imageWidth + imageColumn) * 4 + 3;
        const std::vector<unsigned char>& pixels = m_sprite.m_pixels;
        return index < static_cast<long long>(pixels.size()) &&
               pixels[static_cast<size_t>(index)] > kSolidAlpha;
    }

private:
    const CSprite& m_sprite;
    long long m_left = 0;
    long long m_top = 0;
    bool m_valid = false;
};

// The half-open range of this frame's pixel columns (or rows) scanned against another frame
// of extent otherSize placed at offset: trunc(max(0, offset)) up to trunc(min(size, offset +
// otherSize)). Empty when the frames share no pixel index.
bool ScanRange(int size, float offset, int otherSize, int& begin, int& end) {
    const float first = std::max(0.0f, offset);
    const float last = std::min(static_cast<float>(size), offset + static_cast<float>(otherSize));
    if (!(first < static_cast<float>(size)) || !(last > 0.0f)) {
        return false;
    }
    begin = static_cast<int>(first);
    end = static_cast<int>(last);
    return begin < end;
}

}  // namespace

// Both frames are read where they are drawn: the sheet's real row length, the frame's own
// cell, its bottom row at y = 0. Rows are bounded and mapped the same way as columns: this
// frame's pixel (x, y) meets the other's pixel (trunc(x - offset.x), trunc(y - offset.y)).
bool CSprite::PixelCollide(const CSprite* other, const Vector2& offset, int thisFrame,
                           int otherFrame) const {
    if (!other || !std::isfinite(offset.x) || !std::isfinite(offset.y)) {
        return false;
    }
    const FrameMask a(*this, thisFrame);
    const FrameMask b(*other, otherFrame);
    if (!a.IsValid() || !b.IsValid()) {
        return false;
    }
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    if (!ScanRange(a.Width(), offset.x, b.Width(), x0, x1) ||
        !ScanRange(a.Height(), offset.y, b.Height(), y0, y1)) {
        return false;
    }
    for (int y = y0; y < y1; ++y) {
        const int by = static_cast<int>(static_cast<float>(y) - offset.y);
        for (int x = x0; x < x1; ++x) {
            const int bx = static_cast<int>(static_cast<float>(x) - offset.x);
            if (a.IsSolid(x, y) && b.IsSolid(bx, by)) {
                return true;
            }
        }
    }
    return false;
}
