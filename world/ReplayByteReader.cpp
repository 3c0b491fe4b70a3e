#include "world/ReplayByteReader.h"

#include <cmath>
#include <cstring>

bool ReplayByteReader::Fail(const std::string& what) {
    if (m_error.empty()) {
        m_error = what + " (byte " + std::to_string(m_at) + ")";
    }
    return false;
}

bool ReplayByteReader::Byte(uint8_t& value) {
    if (!Ok() || m_at >= m_size) {
        return Fail("the file ends early");
    }
    value = m_bytes[m_at++];
    return true;
}

bool ReplayByteReader::Fixed(uint64_t& value, int size) {
    value = 0;
    for (int i = 0; i < size; ++i) {
        uint8_t byte = 0;
        if (!Byte(byte)) {
            return false;
        }
        value |= static_cast<uint64_t>(byte) << (8 * i);
    }
    return true;
}

bool ReplayByteReader::Var(uint64_t& value, uint64_t limit, const char* what) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        uint8_t byte = 0;
        if (!Byte(byte)) {
            return false;
        }
        value |= static_cast<uint64_t>(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) {
            return value <= limit || Fail(std::string(what) + " is out of range");
        }
    }
    return Fail(std::string(what) + " is not a valid number");
}

bool ReplayByteReader::Var32(uint32_t& value, const char* what) {
    uint64_t wide = 0;
    const bool ok = Var(wide, UINT32_MAX, what);
    value = static_cast<uint32_t>(wide);
    return ok;
}

bool ReplayByteReader::Float(float& value, float limit, const char* what) {
    uint64_t bits = 0;
    if (!Fixed(bits, 4)) {
        return false;
    }
    const uint32_t narrow = static_cast<uint32_t>(bits);
    std::memcpy(&value, &narrow, sizeof value);
    return (std::isfinite(value) && std::fabs(value) <= limit) ||
           Fail(std::string(what) + " is not a usable number");
}

bool ReplayByteReader::Text(std::string& text, const char* what) {
    uint64_t length = 0;
    if (!Var(length, kMaxText, what)) {
        return false;
    }
    if (length > Left()) {
        return Fail("the file ends early");
    }
    text.assign(reinterpret_cast<const char*>(m_bytes + m_at), length);
    m_at += length;
    return true;
}
