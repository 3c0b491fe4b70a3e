#pragma once

#include <cstdint>
#include <vector>

// Uploads an RGBA image (rows from the top) as an OpenGL texture at its own size, with repeat
// wrapping and linear filtering and no mipmaps; the image's top row is t = 0. The image goes
// into the texture named into, replacing the one it held (live reload keeps its names), or,
// when into is 0, into a new texture. Needs a current OpenGL context. Returns the texture
// name. OpenGL errors are read once and dropped.
uint32_t UploadTexture(const std::vector<unsigned char>& rgba, int width, int height,
                       uint32_t into = 0);
