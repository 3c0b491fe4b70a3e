#pragma once
// Reads the replay file's fields (docs/replays.md) in order, never past the end and never
// trusting a length or a count beyond the limit given: the first failure sets the error (with
// its byte offset) and every later read then fails too, so a caller may check once after a
// group of reads.

#include <cstddef>
#include <cstdint>
#include <string>

class ReplayByteReader {
public:
    // The longest text a file may hold.
    static constexpr size_t kMaxText = 1024;
    static int32_t UnZigZag(uint32_t value) {
        return static_cast<int32_t>((value >> 1) ^ (0u - (value & 1u)));
    }

    // Reads bytes [at, size).
    ReplayByteReader(const uint8_t* bytes, size_t size, size_t at)
        : m_bytes(bytes), m_size(size), m_at(at) {}

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    size_t Left() const { return m_size - m_at; }
    // Sets the error (the first only) to what, with the offset; always false.
    bool Fail(const std::string& what);
    bool Byte(uint8_t& value);
    // A little-endian number of size bytes.
    bool Fixed(uint64_t& value, int size);
    // A varint of at most limit; what names it in the error.
    bool Var(uint64_t& value, uint64_t limit, const char* what);
    bool Var32(uint32_t& value, const char* what);
    // A finite float of magnitude at most limit.
    bool Float(float& value, float limit, const char* what);
    bool Text(std::string& text, const char* what);

private:
    const uint8_t* m_bytes;
    size_t m_size;
    size_t m_at;
    std::string m_error;
};
