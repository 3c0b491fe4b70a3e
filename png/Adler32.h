#pragma once
// Adler-32, the check value at the end of a zlib stream (RFC 1950).

#include <cstddef>
#include <cstdint>

class Adler32 {
public:
    // The Adler-32 of size bytes at data (1 for no bytes).
    static uint32_t Compute(const unsigned char* data, size_t size);
};
