#pragma once
// Shared pieces of the tests that run the world's own window set-up: a fixture that opens the
// window through ShooterWorld::InitGL (replacing the harness window) and actors that draw
// plain coloured rectangles so that the scene order can be read back.

#include <GL/glew.h>

#include <stdexcept>
#include <string>

#include "game/ShooterEnemy.h"
#include "game/ShooterProjectile.h"
#include "support/DisplayConnection.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/ShooterWorld.h"

// An untextured, opaque rectangle.
inline void FillRect(float x, float y, float w, float h, float r, float g, float b) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(r, g, b, 1.0f);
    glBegin(GL_QUADS);
    glVertex2f(x, y);
    glVertex2f(x + w, y);
    glVertex2f(x + w, y + h);
    glVertex2f(x, y + h);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

// An enemy drawn as a coloured rectangle at its position; it leaves a translucent blue as the
// current colour, as a careless draw call might.
class RectEnemy : public ShooterEnemy {
public:
    RectEnemy(float x, float y, float w, float h, float r, float g, float b)
        : m_w(w), m_h(h), m_r(r), m_g(g), m_b(b) {
        m_position = Vector2(x, y);
    }
    void Render(bool& /*drawBox*/) override {
        FillRect(m_position.x, m_position.y, m_w, m_h, m_r, m_g, m_b);
        glColor4f(0.0f, 0.0f, 1.0f, 0.2f);
    }

private:
    float m_w, m_h, m_r, m_g, m_b;
};

class ThrowingEnemy : public ShooterEnemy {
public:
    void Render(bool& /*drawBox*/) override { throw std::runtime_error("boom"); }
};

class RectProjectile : public ShooterProjectile {
public:
    RectProjectile(float x, float y)
        : ShooterProjectile(1, Vector2(x, y), Vector2(1, 0), 0.0f, Vector2(1, 1), "", true) {}
    void Render(bool /*drawBox*/) override {
        FillRect(m_position.x, m_position.y, 20, 20, 0, 0, 1);
    }
};

// Opens the game's window through the world's InitGL in an empty working directory.
class WorldGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        // InitGL's own SDL start-up then never finds the display resetting.
        DisplayConnection::Hold();
        m_dir.Enter();
        m_world = ShooterWorld::GetInstance();
        m_world->Window().SetSize(1024, 512);
    }
    void TearDown() override { ShooterWorld::DestroyInstance(); }

    // Runs InitGL; the log of this set-up alone stays in m_log.
    bool InitWindow() {
        m_log.Clear();
        return m_world->InitGL();
    }

    TempDir m_dir;
    LogCapture m_log;
    ShooterWorld* m_world = nullptr;
};

// A pixel of the frame just swapped to the screen, (x, y) from the lower left. The virtual
// display's software driver keeps the back buffer's content across the swap (its front buffer
// cannot be read back), so the back buffer is read.
inline Rgba ReadShown(int x, int y) {
    return GLWindow::ReadPixel(x, y);
}
