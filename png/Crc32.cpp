#include "png/Crc32.h"

#include <cstring>

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;

// table[k][b]: the CRC contribution of byte b seen k bytes before the end of an 8-byte step.
struct CrcTables {
    uint32_t table[8][256];

    CrcTables() {
        for (uint32_t b = 0; b < 256; ++b) {
            uint32_t c = b;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? (c >> 1) ^ kPolynomial : c >> 1;
            }
            table[0][b] = c;
        }
        for (uint32_t b = 0; b < 256; ++b) {
            for (int k = 1; k < 8; ++k) {
                table[k][b] = (table[k - 1][b] >> 8) ^ table[0][table[k - 1][b] & 0xFF];
            }
        }
    }
};

const CrcTables& Tables() {
    static const CrcTables tables;
    return tables;
}

uint32_t LoadLittleEndian32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

uint32_t Crc32::Update(uint32_t crc, const unsigned char* data, size_t size) {
    const auto& t = Tables().table;
    uint32_t c = ~crc;
    while (size >= 8) {
        const uint32_t low = LoadLittleEndian32(data) ^ c;
        const uint32_t high = LoadLittleEndian32(data + 4);
        c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
            t[4][low >> 24] ^ t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^
            t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
        data += 8;
        size -= 8;
    }
    while (size-- > 0) {
        c = (c >> 8) ^ t[0][(c ^ *data++) & 0xFF];
    }
    return ~c;
}
