#include "resources/CSpriteManager.h"

#include <GL/glew.h>
#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "resources/CSprite.h"
#include "resources/TextureUpload.h"

CSpriteManager* CSpriteManager::GetInstance() {
    static CSpriteManager* instance = new CSpriteManager();
    return instance;
}

void CSpriteManager::LoadSpriteSet(const std::string& fileName) {
    // Condensing is the library's default; it is switched on before loading so that every set
    // file reads its texts the same way whatever another loader did.
    TiXmlBase::SetCondenseWhiteSpace(true);
    TiXmlDocument document(NormalizeDataPath(fileName).c_str());
    if (!xml::LoadFile(document)) {
        ReportProblem(fileName, document.ErrorRow(),
                      "CSprite: Sprite set file %s is missing or not valid XML (%s)\n",
                      fileName.c_str(), document.ErrorDesc());
        return;
    }
    const TiXmlElement* set = xml::FindSetElement(document, "spriteset");
    if (!set) {
        ReportProblem(fileName, 0, "CSprite: No <spriteset> element in %s\n", fileName.c_str());
        return;
    }
    m_basedir = xml::RequiredText(set, "basedir", "CSprite");
    xml::ForEachChild(set, "sprite", [this](const TiXmlElement* element) {
        auto sprite = std::make_unique<CSprite>();
        if (sprite->Decode(element) && m_uploadTextures) {
            sprite->Upload();
        }
        m_groups["default"].push_back(std::move(sprite));
    });
}

CSprite* CSpriteManager::GetSprite(const std::string& name) const {
    for (const auto& group : m_groups) {
        for (const auto& sprite : group.second) {
            if (sprite->m_name == name) {
                return sprite.get();
            }
        }
    }
    return nullptr;
}

void CSpriteManager::UnloadAll() {
    for (auto& group : m_groups) {
        for (auto& sprite : group.second) {
            if (sprite->m_texture != 0) {
                const GLuint texture = sprite->m_texture;
                glDeleteTextures(1, &texture);
            }
        }
        group.second.clear();
    }
    m_groups.clear();
}

void CSpriteManager::ReuploadTextures() {
    for (auto& group : m_groups) {
        for (auto& sprite : group.second) {
            if (sprite->m_texture != 0 && !sprite->m_pixels.empty()) {
                sprite->m_texture =
                    UploadTexture(sprite->m_pixels, sprite->m_imageWidth, sprite->m_imageHeight);
            }
        }
    }
}

void CSpriteManager::AddSprite(CSprite* sprite) {
    m_groups["default"].emplace_back(sprite);
}

CSpriteManager::CSpriteManager() = default;

CSpriteManager::~CSpriteManager() = default;
