#pragma once
// Writes the replay file's fields (docs/replays.md): fixed little-endian numbers, varints,
// floats and texts, appended to bytes.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class ReplayByteWriter {
public:
    static uint32_t ZigZag(int32_t value) {
        return (static_cast<uint32_t>(value) << 1) ^ static_cast<uint32_t>(value >> 31);
    }

    std::vector<uint8_t> bytes;

    void Byte(uint8_t value) { bytes.push_back(value); }
    void Fixed(uint64_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    }
    void Var(uint64_t value) {
        while (value >= 0x80) {
            bytes.push_back(static_cast<uint8_t>(value | 0x80));
            value >>= 7;
        }
        bytes.push_back(static_cast<uint8_t>(value));
    }
    void Float(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Fixed(bits, 4);
    }
    void Text(const std::string& text) {
        Var(text.size());
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
};
