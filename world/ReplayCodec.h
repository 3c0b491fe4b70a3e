#pragma once
// The replay file's bytes (docs/replays.md): writing a Replay, and reading one back with every
// field checked before use. Reading never trusts a count or a length: each is bounded by the
// bytes left and by the format's limits, so no input makes it crash, hang or allocate without
// bound.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "world/ReplayData.h"

class ReplayCodec {
public:
    static constexpr char kMagic[5] = "GXRP";
    // The most updates one file may hold (about six days of play).
    static constexpr uint64_t kMaxUpdates = 1u << 24;

    static std::vector<uint8_t> Encode(const Replay& replay);
    // False with the reason in error (what is wrong and at which byte) when the bytes are not
    // a replay this build reads; replay is then unspecified.
    static bool Decode(const uint8_t* bytes, size_t size, Replay& replay, std::string& error);
    // FNV-1a of bytes: 64 bits for data files, 32 bits for the file's own check.
    static uint64_t Hash64(const uint8_t* bytes, size_t size);
    static uint32_t Hash32(const uint8_t* bytes, size_t size);
};
