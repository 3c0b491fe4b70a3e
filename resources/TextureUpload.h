#pragma once

#include <cstdint>
#include <vector>

// Uploads an RGBA image (rows from the top) as a new OpenGL texture at its own size, with
// repeat wrapping and linear filtering and no mipmaps; the image's top row is t = 0. Needs a
// current OpenGL context. Returns the texture name. OpenGL errors are read once and dropped.
uint32_t UploadTexture(const std::vector<unsigned char>& rgba, int width, int height);
