#pragma once
// CRC-32 as PNG chunks use it (ISO 3309 polynomial, reflected, initial and final inversion).
// Table-driven, eight bytes per step ("slicing by 8").

#include <cstddef>
#include <cstdint>

class Crc32 {
public:
    // The CRC of size bytes at data.
    static uint32_t Compute(const unsigned char* data, size_t size) {
        return Update(0, data, size);
    }
    // Continues a CRC: Update(Compute(a), b) == Compute(a followed by b).
    static uint32_t Update(uint32_t crc, const unsigned char* data, size_t size);
};
