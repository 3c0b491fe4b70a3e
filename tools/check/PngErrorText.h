#pragma once
// The reason behind a PNG decoder error code, in words a modder can act on.

#include <string>

std::string PngErrorText(unsigned code);
