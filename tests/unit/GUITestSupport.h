#pragma once
// Shared pieces of the interface tests: hand-made sprites and fonts registered with their
// managers, a listener that records the interface commands delivered by the event manager,
// and a fixture that leaves the interface, the world, the event queue and the resource
// managers empty after every test.

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>
#include <vector>

#include "events/CEventManager.h"
#include "events/EventType.h"
#include "events/GUIEventData.h"
#include "events/IEvent.h"
#include "events/IEventListener.h"
#include "gui/CGUI.h"
#include "gui/GUIInput.h"
#include "gui/IGUIWidget.h"
#include "resources/CAnimationManager.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "world/ShooterWorld.h"

// A sprite sheet of one row of frames of the given size, without a texture, registered with
// the sprite manager, which owns it.
inline CSprite* AddTestSprite(const std::string& name, int frameWidth, int frameHeight,
                              int frames = 4) {
    CSprite* sprite = new CSprite();
    sprite->m_name = name;
    sprite->m_loaded = true;
    sprite->m_numFrames = frames;
    sprite->m_columns = frames;
    sprite->m_rows = 1;
    sprite->m_frameWidth = frameWidth;
    sprite->m_frameHeight = frameHeight;
    sprite->m_imageWidth = frameWidth * frames;
    sprite->m_imageHeight = frameHeight;
    sprite->m_pixels.assign(static_cast<size_t>(sprite->m_imageWidth * frameHeight * 4), 255);
    CSpriteManager::GetInstance()->AddSprite(sprite);
    return sprite;
}

// A font whose glyphs "0".."9" and "-" are the frames 0..10 of a sprite of 8 x 8 glyphs.
inline CFont* AddTestFont(const std::string& name) {
    CFont* font = new CFont();
    font->m_name = name;
    font->m_sprite = AddTestSprite(name + "-glyphs", 8, 8, 11);
    const std::string chars = "0123456789-";
    for (size_t i = 0; i < chars.size(); ++i) {
        CFontEntry* entry = new CFontEntry();
        entry->m_char = chars[i];
        entry->m_frame = static_cast<int32_t>(i);
        font->m_entries.emplace_back(entry);
    }
    CFontManager::GetInstance()->AddFont(font);
    return font;
}

// Records the command text of every interface event delivered to it.
class CommandRecorder : public IEventListener {
public:
    bool HandleEvent(IEvent* event) override {
        const auto* data = dynamic_cast<const GUIEventData*>(event->GetData());
        commands.push_back(data ? data->m_name : std::string("<no data>"));
        return false;
    }
    std::vector<std::string> commands;
};

// Parses text as a document kept for the test's lifetime; its first element, or null.
class XmlText {
public:
    explicit XmlText(const std::string& text) { m_document.Parse(text.c_str()); }
    const TiXmlElement* Root() const { return m_document.FirstChildElement(); }

private:
    TiXmlDocument m_document;
};

class InterfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        CEventManager::GetInstance()->AddListener(&m_recorder, Event_Shooter_GUIEvent);
    }

    void TearDown() override {
        CGUI::GetInstance()->UnloadAll();
        CEventManager* events = CEventManager::GetInstance();
        events->Shutdown();
        events->DelListener(&m_recorder, Event_Shooter_GUIEvent);
        ShooterWorld* world = ShooterWorld::GetInstance();
        for (const EventType* type : {&Event_Shooter_Pause, &Event_Shooter_PlayerDeath,
                                      &Event_Shooter_PlayerNoMoreLives, &Event_Shooter_GUIEvent}) {
            events->DelListener(world, *type);
        }
        ShooterWorld::DestroyInstance();
        CSpriteManager::GetInstance()->UnloadAll();
        CFontManager::GetInstance()->UnloadAll();
        CAnimationManager::GetInstance()->UnloadAll();
    }

    // Delivers the queued events and returns the commands the recorder saw.
    std::vector<std::string> Deliver() {
        CEventManager::GetInstance()->Tick();
        return m_recorder.commands;
    }

    CommandRecorder m_recorder;
};

// A widget that records the key and mouse records its layer hands it.
class RecordingWidget : public IGUIWidget {
public:
    std::string GetName() const override { return "recorder"; }
    void Load(const TiXmlElement* /*element*/) override {}
    void Update(float& /*dt*/) override {}
    void Render() override {}
    void Release() override {}
    bool IsVisible() const override { return true; }
    void SetVisible(const bool& /*visible*/) override {}
    Vector2 GetPosition() const override { return Vector2(); }
    void HandleMouse(GUIMouseInput& input) override { mice.push_back(input); }
    void HandleKey(GUIKeyInput& input) override { keys.push_back(input); }

    std::vector<GUIMouseInput> mice;
    std::vector<GUIKeyInput> keys;
};
