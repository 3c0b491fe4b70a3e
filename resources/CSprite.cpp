#include "resources/CSprite.h"

#include <GL/glew.h>
#include <algorithm>
#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "resources/CSpriteManager.h"
#include "resources/LoadPngImage.h"
#include "resources/TextureUpload.h"

namespace {

// Reads the frame layout of the "image" element; false (reported) when it is unusable.
bool ReadLayout(const TiXmlElement* image, CSprite& sprite) {
    if (sprite.ReadFrameLayout(image)) {
        return true;
    }
    xml::ReportAt(
        image,
        "CSprite: Sprite \"%s\" in %s needs positive \"columns\", \"swidth\", \"sheight\" and "
        "\"numframes\"; it is not loaded\n",
        sprite.m_name.c_str(), xml::FileOf(image).c_str());
    return false;
}

// Decodes the sheet into the sprite's pixels; false (reported) when it cannot be decoded.
bool DecodeSheet(const std::string& path, const TiXmlElement* element, CSprite& sprite) {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
    const std::string failure = LoadPngImage(path, pixels, width, height);
    if (!failure.empty()) {
        xml::ReportAt(
            element,
            "CSprite: Image \"%s\" of sprite \"%s\" in %s is missing or not a usable PNG (%s)\n",
            path.c_str(), sprite.m_name.c_str(), xml::FileOf(element).c_str(), failure.c_str());
        return false;
    }
    sprite.m_pixels = std::move(pixels);
    sprite.m_imageWidth = width;
    sprite.m_imageHeight = height;
    return true;
}

// Reports a sheet too small for its frame grid; Draw refuses the frames that lie outside it.
void CheckGrid(const CSprite& sprite, const TiXmlElement* image) {
    const int64_t columns = std::min<int64_t>(sprite.m_columns, sprite.m_numFrames);
    const int64_t rows = (sprite.m_numFrames + sprite.m_columns - 1) / sprite.m_columns;
    if (columns * sprite.m_frameWidth > sprite.m_imageWidth ||
        rows * sprite.m_frameHeight > sprite.m_imageHeight) {
        xml::ReportAt(image,
                      "CSprite: Image of sprite \"%s\" (%d x %d) is smaller than its frame grid\n",
                      sprite.m_name.c_str(), sprite.m_imageWidth, sprite.m_imageHeight);
    }
}

}  // namespace

void CSprite::Load(const TiXmlElement* element) {
    if (Decode(element)) {
        Upload();
    }
}

bool CSprite::Decode(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", "CSprite");
    const std::string baseDir = CSpriteManager::GetInstance()->GetBaseDir();
    const TiXmlElement* image = xml::RequiredChild(element, "image", "CSprite");
    if (!image) {
        return false;
    }
    const std::string file = xml::Text(image);
    if (file.empty()) {
        xml::ReportAt(image, "CSprite: Sprite \"%s\" in %s names no image file\n", m_name.c_str(),
                      xml::FileOf(image).c_str());
        return false;
    }
    m_imagePath = JoinDataPath(baseDir, file);
    if (!ReadLayout(image, *this) || !DecodeSheet(m_imagePath, image, *this)) {
        return false;
    }
    CheckGrid(*this, image);
    m_loaded = true;
    LogMessage("CSprite: Sprite \"%s\" Loaded\n", m_name.c_str());
    return true;
}

void CSprite::Upload() {
    m_texture = UploadTexture(m_pixels, m_imageWidth, m_imageHeight);
}

bool CSprite::FrameInSheet(uint32_t frame) const {
    const uint32_t column = frame % static_cast<uint32_t>(m_columns);
    const uint32_t row = frame / static_cast<uint32_t>(m_columns);
    return frame < static_cast<uint32_t>(m_numFrames) &&
           uint64_t(column + 1) * uint32_t(m_frameWidth) <= uint64_t(m_imageWidth) &&
           uint64_t(row + 1) * uint32_t(m_frameHeight) <= uint64_t(m_imageHeight);
}

bool CSprite::ReadFrameLayout(const TiXmlElement* image) {
    xml::ReadInt(image, "swidth", m_frameWidth);
    xml::ReadInt(image, "sheight", m_frameHeight);
    xml::ReadInt(image, "numframes", m_numFrames);
    xml::ReadInt(image, "rows", m_rows);
    xml::ReadInt(image, "columns", m_columns);
    return m_columns > 0 && m_frameWidth > 0 && m_frameHeight > 0 && m_numFrames > 0;
}

bool CSprite::FrameCoords(uint32_t frame, float coords[4]) const {
    const uint32_t columns = static_cast<uint32_t>(m_columns);
    const uint32_t width = static_cast<uint32_t>(m_frameWidth);
    const uint32_t height = static_cast<uint32_t>(m_frameHeight);
    const uint32_t column = frame % columns;
    const uint32_t row = frame / columns;
    if (!FrameInSheet(frame)) {
        // Drawn on every frame while the data stays as it is: written once, then counted.
        LogRepeating("CSprite: Frame: %d not in range of sprite %s\n", static_cast<int>(frame),
                     m_name.c_str());
        return false;
    }
    coords[0] = static_cast<float>(double(column * width) / m_imageWidth);
    coords[1] = static_cast<float>(double(column * width + width) / m_imageWidth);
    coords[2] = static_cast<float>(double(row * height) / m_imageHeight);
    coords[3] = static_cast<float>(double(row * height + height) / m_imageHeight);
    return true;
}

void CSprite::Draw(const Vector2& position, const Vector2& scale, float rotation, uint32_t frame,
                   unsigned char flip, float alpha) const {
    if (!m_loaded || m_columns <= 0 || m_imageWidth <= 0 || m_imageHeight <= 0) {
        return;
    }
    float st[4];
    if (!FrameCoords(frame, st)) {
        return;
    }
    const float sx = flip == 1 ? scale.x * -1.0f : scale.x;

    glBindTexture(GL_TEXTURE_2D, m_texture);
    glPushMatrix();
    // Translate first so the frame turns about its own corner, not about the origin.
    glTranslatef(position.x, position.y, 0.0f);
    glRotatef(rotation, 0.0f, 0.0f, 1.0f);
    glScalef(sx, scale.y, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(st[0], st[3]);
    glVertex2i(0, 0);
    glTexCoord2f(st[1], st[3]);
    glVertex2i(m_frameWidth, 0);
    glTexCoord2f(st[1], st[2]);
    glVertex2i(m_frameWidth, m_frameHeight);
    glTexCoord2f(st[0], st[2]);
    glVertex2i(0, m_frameHeight);
    glEnd();
    glPopMatrix();
}

void CSprite::DrawBatch(const std::vector<Placement>& placements, const Vector2& scale) const {
    if (!m_loaded || m_columns <= 0 || m_imageWidth <= 0 || m_imageHeight <= 0 ||
        placements.empty()) {
        return;
    }
    // Corners in window units as Draw's matrices place them: position + scale x corner, in
    // the same float operations.
    const float right = scale.x * static_cast<float>(m_frameWidth);
    const float top = scale.y * static_cast<float>(m_frameHeight);
    const float left = scale.x * 0.0f;
    const float bottom = scale.y * 0.0f;
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    for (const Placement& placement : placements) {
        float st[4];
        if (!FrameCoords(placement.frame, st)) {
            continue;
        }
        const Vector2& p = placement.position;
        glTexCoord2f(st[0], st[3]);
        glVertex2f(left + p.x, bottom + p.y);
        glTexCoord2f(st[1], st[3]);
        glVertex2f(right + p.x, bottom + p.y);
        glTexCoord2f(st[1], st[2]);
        glVertex2f(right + p.x, top + p.y);
        glTexCoord2f(st[0], st[2]);
        glVertex2f(left + p.x, top + p.y);
    }
    glEnd();
}

bool CSprite::IsOneColour(uint32_t frame, unsigned char rgba[4]) const {
    if (!m_loaded || m_columns <= 0 || m_pixels.size() < 4 || !FrameInSheet(frame)) {
        return false;
    }
    for (size_t i = 4; i < m_pixels.size(); i += 4) {
        if (!std::equal(m_pixels.begin(), m_pixels.begin() + 4, m_pixels.begin() + i)) {
            return false;
        }
    }
    std::copy(m_pixels.begin(), m_pixels.begin() + 4, rgba);
    return true;
}

void CSprite::DrawOneColour(const Vector2& position, const Vector2& scale,
                            const unsigned char rgba[4]) const {
    glDisable(GL_TEXTURE_2D);
    // One colour needs no interpolation across the quad: the software drivers then treat it
    // as a constant.
    glShadeModel(GL_FLAT);
    glPushMatrix();
    glTranslatef(position.x, position.y, 0.0f);
    glScalef(scale.x, scale.y, 0.0f);
    glColor4ub(rgba[0], rgba[1], rgba[2], rgba[3]);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(m_frameWidth, 0);
    glVertex2i(m_frameWidth, m_frameHeight);
    glVertex2i(0, m_frameHeight);
    glEnd();
    glPopMatrix();
    // Back to the fixed state every draw starts from: textures on, smooth shading, white.
    glShadeModel(GL_SMOOTH);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}
