#pragma once
// The game's version, "major.minor.patch", as CMake's project() gives it.

namespace glimmerax {

const char* Version();

}  // namespace glimmerax
