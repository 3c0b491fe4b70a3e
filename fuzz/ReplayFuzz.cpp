// Replay files: the fuzzed bytes go to the replay reader as a file's bytes, and again with
// their last four bytes made the right check value, so that the fuzzer reaches the fields
// behind it. Whatever the reader accepts must write back to the very same bytes and read
// again, and its clock readings must play back through the replay clock.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "world/ReplayClock.h"
#include "world/ReplayCodec.h"

namespace {

void ReadOne(const uint8_t* data, size_t size) {
    Replay replay;
    std::string error;
    if (!ReplayCodec::Decode(data, size, replay, error)) {
        if (error.empty()) {
            std::abort();
        }
        return;
    }
    const std::vector<uint8_t> bytes = ReplayCodec::Encode(replay);
    Replay again;
    if (!ReplayCodec::Decode(bytes.data(), bytes.size(), again, error) ||
        ReplayCodec::Encode(again) != bytes) {
        std::abort();
    }
    ReplayClock clock;
    for (const ReplayUpdate& update : replay.updates) {
        clock.Play(update.readings);
        for (const ClockRun& run : update.readings) {
            // Long runs are not walked one by one: the count was checked, not the time.
            if (run.count <= 64) {
                for (uint32_t i = 0; i < run.count; ++i) {
                    clock.Now();
                }
            }
        }
        clock.Stop();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReadOne(data, size);
    if (size >= 10) {
        std::vector<uint8_t> sealed(data, data + size);
        const uint32_t check = ReplayCodec::Hash32(sealed.data(), size - 4);
        for (int i = 0; i < 4; ++i) {
            sealed[size - 4 + i] = static_cast<uint8_t>(check >> (8 * i));
        }
        ReadOne(sealed.data(), sealed.size());
    }
    return 0;
}
