#pragma once
// An untextured, blended rectangle in the current drawing coordinates, for the interface's
// bands and bars. Kept apart from the widgets so that the OpenGL header (which brings in the
// system's window header on Windows, with its DrawText macro) stays out of their files.

#include "math/Rect.h"

// Fills rect with the colour (r, g, b) at opacity a (each 0 to 1); leaves texturing on and the
// current colour opaque white, as the sprite drawing expects.
void FillRect(const Rect& rect, float r, float g, float b, float a);
