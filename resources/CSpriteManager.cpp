#include "resources/CSpriteManager.h"

#include <GL/glew.h>
#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "core/ProblemCounter.h"
#include "core/XmlRead.h"
#include "resources/CSprite.h"
#include "resources/TextureUpload.h"

CSpriteManager* CSpriteManager::GetInstance() {
    static CSpriteManager* instance = new CSpriteManager();
    return instance;
}

void CSpriteManager::LoadSpriteSet(const std::string& fileName) {
    ReadSet(fileName, false);
}

bool CSpriteManager::ReadSet(const std::string& fileName, bool reload) {
    // Condensing is the library's default; it is switched on before loading so that every set
    // file reads its texts the same way whatever another loader did.
    TiXmlBase::SetCondenseWhiteSpace(true);
    const std::string path = NormalizeDataPath(fileName);
    // Known even when it does not load, so that a fixed file is read again.
    TSetRecord<CSprite>& record = m_sets[path];
    TiXmlDocument document(path.c_str());
    if (!xml::LoadFile(document)) {
        ReportProblem(fileName, document.ErrorRow(),
                      "CSprite: Sprite set file %s is missing or not valid XML (%s)\n",
                      fileName.c_str(), document.ErrorDesc());
        return false;
    }
    const TiXmlElement* set = xml::FindSetElement(document, "spriteset");
    if (!set) {
        ReportProblem(fileName, 0, "CSprite: No <spriteset> element in %s\n", fileName.c_str());
        return false;
    }
    m_basedir = xml::RequiredText(set, "basedir", "CSprite");
    record.BeginReading();
    int kept = 0;
    xml::ForEachChild(set, "sprite", [&](const TiXmlElement* element) {
        kept += ReadSprite(element, record, reload) ? 0 : 1;
    });
    if (reload) {
        for (const std::string& name : record.Unclaimed()) {
            LogMessage("CSprite: Sprite \"%s\" is no longer in %s: it stays as it was\n",
                       name.c_str(), path.c_str());
        }
        LogMessage("CSprite: Sprite set %s read again (%d sprite%s left as %s)\n", path.c_str(),
                   kept, kept == 1 ? "" : "s", kept == 1 ? "it was" : "they were");
    }
    return kept == 0;
}

bool CSpriteManager::ReadSprite(const TiXmlElement* element, TSetRecord<CSprite>& record,
                                bool reload) {
    auto fresh = std::make_unique<CSprite>();
    ProblemCounter problems;
    const bool decoded = fresh->Decode(element);
    if (!fresh->m_imagePath.empty()) {
        record.NoteUse(fresh->m_imagePath);
    }
    CSprite* earlier = reload ? record.Claim(fresh->m_name) : nullptr;
    if (!earlier) {
        if (decoded && m_uploadTextures) {
            fresh->Upload();
        }
        record.Add(fresh.get());
        m_groups["default"].push_back(std::move(fresh));
        return true;
    }
    if (!decoded || problems.Count() != 0) {
        return false;
    }
    // In place: whoever holds the sprite draws the new sheet from the next frame, through
    // the same texture name.
    const uint32_t texture = earlier->m_texture;
    *earlier = std::move(*fresh);
    earlier->m_texture = texture;
    if (m_uploadTextures) {
        earlier->m_texture =
            UploadTexture(earlier->m_pixels, earlier->m_imageWidth, earlier->m_imageHeight, texture);
    }
    return true;
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
    m_sets.clear();
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

std::vector<std::string> CSpriteManager::FilesAffectedBy(const std::string& path) const {
    std::vector<std::string> files;
    for (const auto& [file, record] : m_sets) {
        if (file == path || record.Uses(path)) {
            files.push_back(file);
        }
    }
    return files;
}

bool CSpriteManager::Reload(const std::string& fileName) {
    return ReadSet(fileName, true);
}

void CSpriteManager::AddSprite(CSprite* sprite) {
    m_groups["default"].emplace_back(sprite);
}

CSpriteManager::CSpriteManager() = default;

CSpriteManager::~CSpriteManager() = default;
