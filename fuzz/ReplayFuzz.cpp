// Replay files: the fuzzed bytes go to the replay reader as a file's bytes. Whatever it
// accepts must write back to the very same bytes and read again, and its clock readings must
// play back through the replay clock to their end.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "world/ReplayClock.h"
#include "world/ReplayCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Replay replay;
    std::string error;
    if (!ReplayCodec::Decode(data, size, replay, error)) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
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
    return 0;
}
