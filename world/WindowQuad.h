#pragma once
// One quad over the whole window, from (0, 0) to (width, height) in window pixels, with
// texture coordinates 0..1 across it: how the frame ring's textures are laid over the window.
// Draws with whatever texture, colour and blending state the caller has set.
void DrawWindowQuad(int width, int height);
