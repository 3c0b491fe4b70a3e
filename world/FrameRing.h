#pragma once
// The motion-blur mode's frame ring: a framebuffer with four window-sized colour textures (the
// slots) and a depth buffer, the current slot, the two compositions of the slots into the
// window (the accumulation buffer, or blending through the ring blender), and the paused
// world's kept picture. It owns every OpenGL object of these and releases them on one path.
//
// Each update tick in motion-blur mode advances the slot; each frame draws the scene into the
// current slot and composes the window from all four, weighted: current 0.43, previous tick
// 0.3, two ticks ago 0.15, three ticks ago 0.12, each slot as drawn onto black by the fixed
// state.

#include <cstdint>
#include <optional>

#include "resources/SavedGLState.h"
#include "world/RingBlender.h"
#include "world/StillScene.h"

class FrameRing {
public:
    FrameRing() = default;
    FrameRing(const FrameRing&) = delete;
    FrameRing& operator=(const FrameRing&) = delete;

    // Builds the framebuffer, its depth buffer and the four slots of width x height pixels
    // and clears the slots to white; false (logged, nothing kept) when the framebuffer is
    // incomplete. Needs framebuffer objects.
    bool Build(uint32_t width, uint32_t height);
    // Builds the ring blender for the built ring. Without it the blur composes with the
    // accumulation buffer when the window has one (accumBits > 0) and is not available
    // otherwise (the ring is released). srgbAccumulation: the driver's accumulation works
    // on sRGB-encoded values, and the blender does the same to match it.
    void SetUpBlending(int accumBits, bool srgbAccumulation);
    // Deletes every OpenGL object of the ring, the blender and the kept picture; needs the
    // context they were made in. The ring is then not supported until built again.
    void Release();
    // Drops every name without deleting it, for a context that is already gone.
    void Forget();
    // Clears the four slots to opaque white (the ring a blur switched on starts from).
    void Clear();

    // The ring was built and can be drawn into.
    bool IsSupported() const { return m_supported; }
    // The player's motion-blur switch (N).
    bool IsOn() const { return m_on; }
    void SetOn(bool on) { m_on = on; }
    // Compose by blending instead of the accumulation buffer: asked for by the configuration
    // or chosen for a window without accumulation buffer.
    bool Blends() const { return m_blend; }
    void SetBlending(bool blend) { m_blend = blend; }

    // The next update tick's slot.
    void Advance();
    uint32_t Slot() const { return m_slot; }
    void SetSlot(uint32_t slot) { m_slot = slot; }

    // Binds the framebuffer with the current slot as draw buffer and a viewport of the ring's
    // size; EndSlot puts back the window's framebuffer and viewport.
    void BeginSlot();
    void EndSlot();
    // Composes the window's back buffer from the four slots, the scene already drawn into the
    // current one, by the composition chosen (Blends()).
    void Compose();
    // The two compositions; both give the slots the same weights.
    void ComposeAccumulated();
    void ComposeBlended();

    // The paused world's picture and the count of what changed the world since start-up
    // (updates that moved it, SDL events, restarts, video modes).
    StillScene& Still() { return m_still; }
    void NoteSceneChange() { ++m_sceneChanges; }
    uint64_t SceneChanges() const { return m_sceneChanges; }

    // For the drawing tests: the framebuffer and the slots' textures, and the blender. In the
    // browser each slot has a framebuffer of its own (WebGL cannot choose a draw buffer) and
    // FrameBuffer() is the first slot's.
    uint32_t FrameBuffer() const { return m_frameBuffer; }
    uint32_t DepthBuffer() const { return m_depthBuffer; }
    const uint32_t (&Textures() const)[4] { return m_textures; }
    RingBlender& Blender() { return m_blender; }

private:
    // Binds the framebuffer that draws into slot.
    void BindSlot(uint32_t slot);

    uint32_t m_width = 0;
    uint32_t m_height = 0;
    uint32_t m_frameBuffer = 0;
    uint32_t m_depthBuffer = 0;
    uint32_t m_textures[4] = {0, 0, 0, 0};
    uint32_t m_slotBuffers[4] = {0, 0, 0, 0};  // the browser's framebuffer per slot
    std::optional<SavedGLState> m_windowViewport;  // between BeginSlot and EndSlot
    uint32_t m_slot = 0;
    bool m_supported = false;
    bool m_on = false;
    bool m_blend = false;
    RingBlender m_blender;  // built with the ring; composes it when m_blend is set
    StillScene m_still;
    uint64_t m_sceneChanges = 0;
};
