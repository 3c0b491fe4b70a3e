#pragma once
// Records the input handler hands to the interface.

#include <cstdint>

// Mouse input in window pixels, y counted upwards from the bottom edge.
struct GUIMouseInput {
    int32_t x = 0;
    int32_t y = 0;
    // 1 left pressed, 2 left released, 4 right pressed, 5 right released, 7 moved.
    int32_t kind = 0;
};

// Keyboard input: the SDL key symbol and 1 pressed or 2 released. A gamepad button pressed
// while a navigating layer is active (see CGUILayer) comes as key 0, kind 1 and its number.
struct GUIKeyInput {
    int32_t key = 0;
    int32_t kind = 0;
    int32_t button = -1;
};
